// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/scan/ScanController.h"

#include "core/ListServerProtocol.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "window/StatusLine.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanSession.h"

#include <QComboBox>

namespace pollwick {

ScanController::ScanController(const QComboBox& hostCombo, ScanSession& session,
                               ClientSocket& listSocket, Timer& serverChoiceTimer,
                               Timer& requeryTimer, ListExchange& exchange, StatusLine& status,
                               QObject* parent)
    : QObject(parent)
    , m_hostCombo(hostCombo)
    , m_placeholder(hostCombo.currentText())
    , m_session(session)
    , m_socket(listSocket)
    , m_serverChoiceTimer(serverChoiceTimer)
    , m_requeryTimer(requeryTimer)
    , m_exchange(exchange)
    , m_status(status)
{ }

ScanController::~ScanController() = default;

void ScanController::checkServerChoice()
{
    // Exact comparisons: a host typed in another letter case is a choice.
    const QString host = m_hostCombo.currentText();
    if (host.isEmpty() || host == m_placeholder) {
        return;
    }
    m_session.chooseServer();
    m_serverChoiceTimer.setEnabled(false);
    m_status.serverChosen();
}

void ScanController::startScan()
{
    m_session.start();
    m_exchange.clearEntries();
    m_status.scanStarted();
    queryListServer();
    m_requeryTimer.setInterval(kRequeryIntervalMs);
}

void ScanController::stopScan()
{
    m_session.stop();
    m_requeryTimer.setInterval(0);
    m_status.scanStopped();
}

void ScanController::requery()
{
    queryListServer();
}

void ScanController::queryListServer()
{
    m_socket.close();
    // The host is read at every query: it is never remembered.
    const QString host = m_hostCombo.currentText();
    m_status.queryStarted(host);
    m_socket.setRemoteHost(host);
    m_socket.setRemotePort(kListServerPort);
    // A host that does not resolve or refuses is not reported to the scan:
    // the next query tries again.
    m_socket.connect();
}

} // namespace pollwick
