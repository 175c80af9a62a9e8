// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"
#include "core/scan/ResponseWalk.h"

#include <QObject>

#include <cstdint>
#include <span>
#include <string>

namespace pollwick {

class ClientSocket;
class StatusLine;
enum class SocketOutcome;

// The test that every listed record goes through: the match test's side of
// the walk. A Match ends the walk.
class RecordTest
{
public:
    virtual ~RecordTest() = default;
    virtual MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) = 0;
};

// What the window does with the list server's answer: every data arrival is
// read, split into entries, one per line, and walked, entry by entry,
// through the parser, the server list (recordListed) and the match test.
//
// One connection is one response: the first arrival of a new connection
// clears the server list (responseStarted) and the working record, and a
// line that TCP cut between two arrivals is joined again. Once a match has
// ended the walk, the rest of that connection is not read; once the response
// has reached its limits, the connection is closed.
//
// A list counts as whole, for the status line, when the list server closed
// the connection at the end of a line or the response filled its limits.
// A close in the middle of a line is a cut list: the socket cannot tell the
// list server's own close from a reset.
class ListExchange final : public QObject, private ResponseWalk::Hooks
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListExchange)

public:
    // Reads what `listSocket` receives, tests each record with `test`, and
    // tells `status` how each list ended.
    ListExchange(ClientSocket& listSocket, RecordTest& test, StatusLine& status,
                 QObject* parent = nullptr);
    ~ListExchange() override;

    // Data has arrived on the socket.
    void readListData();
    // How the current connection went, as the socket reports it.
    void connectionOutcome(SocketOutcome outcome);
    // Empties the entries of the last arrival ("Go" starts from none).
    void clearEntries();

    [[nodiscard]] const ResponseWalk& walk() const { return m_walk; }

signals:
    // The first data of a new connection has come: its list replaces the
    // last one.
    void responseStarted();
    // A record of the list, parsed, before it is tested.
    void recordListed(const pollwick::ServerRecord& record);
    // One arrival has been walked; `chunk` is what it brought.
    void arrivalWalked(const std::string& chunk);

private:
    void listRecord(const ServerRecord& record) override;
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override;
    void handleArrival(const std::string& chunk);
    void listEnded();

    ClientSocket& m_socket;
    RecordTest& m_test;
    StatusLine& m_status;
    ResponseWalk m_walk;
    std::uint64_t m_connection = 0;
    int m_listed = 0; // records listed from the current connection
    bool m_walking = false;
    bool m_arrivedMeanwhile = false;
    bool m_endPending = false; // the list server closed during a walk
};

} // namespace pollwick
