// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/scan/ListExchange.h"

#include "platform/ClientSocket.h"
#include "window/StatusLine.h"

#include <utility>

namespace pollwick {

ListExchange::ListExchange(ClientSocket& listSocket, RecordTest& test, StatusLine& status,
                           QObject* parent)
    : QObject(parent)
    , m_socket(listSocket)
    , m_test(test)
    , m_status(status)
{ }

ListExchange::~ListExchange() = default;

void ListExchange::readListData()
{
    // The match actions wait for the user inside a walk. Should data arrive
    // meanwhile, it is read once the walk is over, in order.
    if (m_walking) {
        m_arrivedMeanwhile = true;
        return;
    }
    m_walking = true;
    do {
        m_arrivedMeanwhile = false;
        handleArrival(m_socket.getData());
    } while (m_arrivedMeanwhile);
    m_walking = false;
    if (std::exchange(m_endPending, false)) {
        listEnded();
    }
}

void ListExchange::connectionOutcome(SocketOutcome outcome)
{
    if (outcome != SocketOutcome::Closed) {
        m_status.connectionOutcome(outcome);
        return;
    }
    if (m_walking) {
        m_endPending = true; // told once the walk is over
        return;
    }
    // What the list server sent last may still wait unread.
    const std::string rest = m_socket.getData();
    if (!rest.empty()) {
        m_walking = true;
        handleArrival(rest);
        m_walking = false;
    }
    listEnded();
}

void ListExchange::clearEntries()
{
    m_walk.clearEntries();
}

void ListExchange::listEnded()
{
    if (m_socket.connectionNumber() != m_connection) {
        m_status.listEnded(ListEnd::NothingSent, 0);
    } else if (m_walk.ended()) {
        // A match ended the list, and the scan with it.
    } else if (m_walk.insideLine()) {
        m_status.listEnded(ListEnd::CutMidLine, m_listed);
    } else {
        m_status.listEnded(ListEnd::Whole, m_listed);
    }
}

void ListExchange::handleArrival(const std::string& chunk)
{
    if (m_socket.connectionNumber() != m_connection) {
        m_connection = m_socket.connectionNumber();
        m_listed = 0;
        m_walk.startResponse();
        emit responseStarted();
    }
    if (m_walk.ended()) {
        return;
    }
    m_status.listArriving();
    m_walk.arrive(chunk, *this);
    emit arrivalWalked(chunk);
    // Nothing past the limits can be listed or matched: a list server that
    // keeps sending would only cost reading and discarding until the next
    // query, so the connection goes now. The next query connects again.
    if (m_walk.full() && m_socket.isOpen()) {
        m_socket.close();
        if (!m_walk.ended()) {
            m_status.listEnded(ListEnd::Whole, m_listed);
        }
    }
}

void ListExchange::listRecord(const ServerRecord& record)
{
    ++m_listed;
    emit recordListed(record);
}

MatchVerdict ListExchange::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    return m_test.testRecord(record, fromLine);
}

} // namespace pollwick
