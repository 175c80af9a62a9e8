// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QLabel;

namespace pollwick {

class Clock;
enum class SocketOutcome;

// How a list server's answer to one query ended.
enum class ListEnd {
    Whole, // closed at the end of a line, or the answer filled its limits
    CutMidLine, // closed in the middle of a line: cut off, or reset
    NothingSent, // closed without sending anything
};

// The one-line status along the bottom of the main window (statusLabel), so the
// user can see that polling is alive and whether it works: which list server
// is being asked, when the last whole list came and how many servers it
// held, and, when a query got no whole list, which host did not give one and
// why. Cut to the label's width; the tool tip holds the whole line.
//
// It watches; it decides nothing. The scan goes on the same whatever the
// socket reports.
class StatusLine final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    StatusLine(QLabel& label, const Clock& clock, QObject* parent = nullptr);
    ~StatusLine() override;

    void serverChosen();
    // "Go".
    void scanStarted();
    // Every query of a scan, "Go"'s first included, before it connects.
    void queryStarted(const QString& host);
    // What the socket reports of the current query's connection, but for the
    // list server's own close (listEnded).
    void connectionOutcome(SocketOutcome outcome);
    // Data of the current query's list has arrived.
    void listArriving();
    // The list server is done with the current query; `serversListed` is
    // what its answer listed.
    void listEnded(ListEnd end, int serversListed);
    void scanStopped();
    // A match ended the scan: the list it came in counts as the last list.
    void serverFound(const QString& serverName, int serversListed);
    // The game was to be started for the server found, and was not.
    void gameNotStarted(const QString& why);

    // The whole line; the label shows as much of it as fits, and the rest
    // in its tool tip.
    [[nodiscard]] const QString& text() const { return m_text; }

private:
    void queryFailed(const QString& reason);
    void showStopped();
    void show(const QString& text);

    QLabel& m_label;
    const Clock& m_clock;
    QString m_text;
    bool m_scanning = false;
    bool m_queried = false; // the scan has made its first query
    // The current query.
    QString m_host;
    bool m_connected = false;
    bool m_arriving = false; // some of its list has come
    bool m_ended = false; // its list came whole, or its failure is shown
    // The last whole list, of this scan or an earlier one.
    QDateTime m_lastList;
    int m_lastCount = 0;
};

// "1 server", "187 servers", "32,767 servers": grouped as the user's locale
// groups digits.
QString serverCount(int count);

} // namespace pollwick
