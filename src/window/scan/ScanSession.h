// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

namespace pollwick {

enum class ScanState {
    AwaitingServer, // no list server chosen yet
    Ready, // criteria and alerts can be set; "Go" starts a scan
    Scanning, // the list server is queried at once and every 5000 ms
};

// Whether a scan runs, and whether a match may still alert the user: the
// one owner of both. They change only through the operations below, and
// every change of the state is announced, so that the window sets its
// controls from it in one place.
//
// The alert is armed by "Go" and disarmed by the match actions. "Stop" ends
// the scan but leaves the alert armed: a list still on its way is handled
// and may still alert. A server passed over (private or full) arms the alert
// again, so a later match in the same list alerts.
class ScanSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScanSession)

public:
    explicit ScanSession(QObject* parent = nullptr);
    ~ScanSession() override;

    [[nodiscard]] ScanState state() const { return m_state; }
    [[nodiscard]] bool isArmed() const { return m_armed; }

    // A list server has been chosen: scans can start.
    void chooseServer();
    // "Go": scanning, and the alert armed.
    void start();
    // "Stop": no longer scanning; the alert stays as it is.
    void stop();
    // A match ran the match actions: no longer scanning, and disarmed.
    void matchFound();
    // A server that met the criteria was passed over: armed again.
    void passOver();

signals:
    void stateChanged(pollwick::ScanState state);

private:
    void setState(ScanState state);

    ScanState m_state = ScanState::AwaitingServer;
    bool m_armed = false;
};

} // namespace pollwick
