// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class QComboBox;

namespace pollwick {

class ClientSocket;
class ListExchange;
class ScanSession;
class StatusLine;
class Timer;

// Starting, repeating and stopping the queries to the list server.
class ScanController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScanController)

public:
    // `hostCombo` holds the list server's host, read at every query; the text
    // it holds now is the placeholder that stands for no choice.
    // `serverChoiceTimer` polls the choice until one is made, `requeryTimer`
    // asks again while scanning; `exchange` reads the answers.
    ScanController(const QComboBox& hostCombo, ScanSession& session, ClientSocket& listSocket,
                   Timer& serverChoiceTimer, Timer& requeryTimer, ListExchange& exchange,
                   StatusLine& status, QObject* parent = nullptr);
    ~ScanController() override;

    // Every 100 ms until a list server is chosen: then scans can start, and
    // the poll stops for good.
    void checkServerChoice();
    // "Go": arms the alert, queries the list server at once and then every
    // 5000 ms.
    void startScan();
    // "Stop": stops re-querying. The connection stays open and the alert
    // armed, so a list still on its way is handled.
    void stopScan();
    // Every 5000 ms while scanning: a fresh connection, a fresh list.
    void requery();

private:
    // Closes the connection and opens a new one to the chosen list server.
    void queryListServer();

    const QComboBox& m_hostCombo;
    const QString m_placeholder;
    ScanSession& m_session;
    ClientSocket& m_socket;
    Timer& m_serverChoiceTimer;
    Timer& m_requeryTimer;
    ListExchange& m_exchange;
    StatusLine& m_status;
};

} // namespace pollwick
