// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/StatusLine.h"

#include "core/ListServerProtocol.h"
#include "platform/ClientSocket.h"
#include "platform/Clock.h"

#include <QLabel>
#include <QLocale>
#include <QTextDocument>

namespace pollwick {
namespace {

QString clock(const QDateTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

// How often a scan asks, as the line says it: "every 5 s".
QString everyInterval()
{
    return QStringLiteral("every %1 s").arg(kRequeryIntervalMs / 1000);
}

} // namespace

QString serverCount(int count)
{
    return count == 1 ? QStringLiteral("1 server")
                      : QStringLiteral("%1 servers").arg(QLocale().toString(count));
}

StatusLine::StatusLine(QLabel& label, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_label(label)
    , m_clock(clock)
{
    show(QStringLiteral("Choose a list server to begin."));
}

StatusLine::~StatusLine() = default;

void StatusLine::serverChosen()
{
    show(QStringLiteral("Set what to look for, then press Go."));
}

void StatusLine::scanStarted()
{
    m_scanning = true;
    m_queried = false;
}

void StatusLine::queryStarted(const QString& host)
{
    // A query that neither got a whole list nor failed by the time the next
    // one starts is cut off by it.
    if (m_scanning && m_queried && !m_ended) {
        queryFailed(m_arriving        ? QStringLiteral("list cut off by the next query")
                        : m_connected ? QStringLiteral("no answer")
                                      : QStringLiteral("no connection in time"));
    }
    const bool first = !m_queried;
    m_queried = true;
    m_host = host;
    m_connected = false;
    m_arriving = false;
    m_ended = false;
    if (first) {
        show(host.isEmpty()
                 ? QStringLiteral("No list server given; trying %1...").arg(everyInterval())
                 : QStringLiteral("Asking %1 %2...").arg(host, everyInterval()));
    }
}

void StatusLine::connectionOutcome(SocketOutcome outcome)
{
    if (!m_scanning || m_ended) {
        return;
    }
    switch (outcome) {
    case SocketOutcome::Connected:
        m_connected = true;
        return;
    case SocketOutcome::Refused:
        queryFailed(QStringLiteral("connection refused"));
        return;
    case SocketOutcome::HostNotFound:
        queryFailed(QStringLiteral("host not found"));
        return;
    case SocketOutcome::Unreachable:
        queryFailed(QStringLiteral("network unreachable"));
        return;
    case SocketOutcome::Closed:
    case SocketOutcome::Lost:
        queryFailed(QStringLiteral("connection lost"));
        return;
    case SocketOutcome::Failed:
        queryFailed(QStringLiteral("connection failed"));
        return;
    }
}

void StatusLine::listArriving()
{
    m_arriving = true;
}

void StatusLine::listEnded(ListEnd end, int serversListed)
{
    if (end == ListEnd::Whole) {
        m_ended = true;
        m_lastList = m_clock.now();
        m_lastCount = serversListed;
        // A list still on its way when the user pressed Stop is shown, but
        // the line goes on saying that scanning has stopped.
        if (m_scanning) {
            show(
                QStringLiteral("%1  %2 listed").arg(clock(m_lastList), serverCount(serversListed)));
        } else {
            showStopped();
        }
        return;
    }
    if (!m_scanning || m_ended) {
        return;
    }
    queryFailed(end == ListEnd::NothingSent
                    ? QStringLiteral("sent no list")
                    : QStringLiteral("list cut off in the middle of a line"));
}

void StatusLine::scanStopped()
{
    m_scanning = false;
    showStopped();
}

void StatusLine::serverFound(const QString& serverName, int serversListed)
{
    m_scanning = false;
    m_ended = true;
    m_lastList = m_clock.now();
    m_lastCount = serversListed;
    show(QStringLiteral("%1  Found: %2").arg(clock(m_lastList), serverName.trimmed()));
}

void StatusLine::gameNotStarted(const QString& why)
{
    show(QStringLiteral("%1. Game not started: %2.").arg(m_text, why));
}

void StatusLine::showStopped()
{
    if (m_lastList.isValid()) {
        show(QStringLiteral("Stopped. Last list %1: %2.")
                 .arg(clock(m_lastList), serverCount(m_lastCount)));
    } else {
        show(QStringLiteral("Stopped."));
    }
}

void StatusLine::queryFailed(const QString& reason)
{
    m_ended = true;
    // What went wrong comes first: the line is cut at the window's edge, and
    // its tool tip holds the rest.
    QString text = m_host.isEmpty()
        ? QStringLiteral("%1  No list server given, trying %2.")
              .arg(clock(m_clock.now()), everyInterval())
        : QStringLiteral("%1  %2: %3, trying %4.")
              .arg(clock(m_clock.now()), m_host, reason, everyInterval());
    if (m_lastList.isValid()) {
        text +=
            QStringLiteral(" Last list %1: %2").arg(clock(m_lastList), serverCount(m_lastCount));
    }
    show(text);
}

void StatusLine::show(const QString& text)
{
    m_text = text;
    m_label.setText(m_label.fontMetrics().elidedText(text, Qt::ElideRight, m_label.width()));
    // Plain text: a typed host name is never markup.
    m_label.setToolTip(Qt::convertFromPlainText(text));
}

} // namespace pollwick
