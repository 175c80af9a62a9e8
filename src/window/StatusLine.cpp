#include "window/StatusLine.h"

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

} // namespace

QString serverCount(int count)
{
    return count == 1 ? QStringLiteral("1 server")
                      : QStringLiteral("%1 servers").arg(QLocale().toString(count));
}

StatusLine::StatusLine(QLabel& label, const Clock& clock)
    : m_label(label)
    , m_clock(clock)
{
    show(QStringLiteral("Choose a list server to begin."));
}

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
    // A query that neither got a list nor failed by the time the next one
    // starts went unanswered.
    if (m_scanning && m_queried && !m_gotList && !m_failureShown) {
        showNoAnswer(m_connected ? QStringLiteral("no answer")
                                 : QStringLiteral("no connection in time"));
    }
    const bool first = !m_queried;
    m_queried = true;
    m_host = host;
    m_connected = false;
    m_gotList = false;
    m_failureShown = false;
    if (first) {
        show(QStringLiteral("Asking %1 every 5 s...").arg(host));
    }
}

void StatusLine::connectionOutcome(SocketOutcome outcome)
{
    if (!m_scanning || m_gotList || m_failureShown) {
        return;
    }
    switch (outcome) {
    case SocketOutcome::Connected:
        m_connected = true;
        return;
    case SocketOutcome::Refused:
        showNoAnswer(QStringLiteral("connection refused"));
        return;
    case SocketOutcome::HostNotFound:
        showNoAnswer(QStringLiteral("host not found"));
        return;
    case SocketOutcome::Unreachable:
        showNoAnswer(QStringLiteral("network unreachable"));
        return;
    case SocketOutcome::Closed:
    case SocketOutcome::Lost:
        showNoAnswer(QStringLiteral("connection lost"));
        return;
    case SocketOutcome::Failed:
        showNoAnswer(QStringLiteral("connection failed"));
        return;
    }
}

void StatusLine::listArrived(int serversListed)
{
    m_gotList = true;
    m_lastList = m_clock.now();
    m_lastCount = serversListed;
    show(QStringLiteral("%1  %2 listed").arg(clock(m_lastList), serverCount(serversListed)));
}

void StatusLine::scanStopped()
{
    m_scanning = false;
    if (m_lastList.isValid()) {
        show(QStringLiteral("Stopped. Last list %1: %2.")
                 .arg(clock(m_lastList), serverCount(m_lastCount)));
    } else {
        show(QStringLiteral("Stopped."));
    }
}

void StatusLine::serverFound(const QString& serverName)
{
    m_scanning = false;
    show(QStringLiteral("%1  Found: %2").arg(clock(m_clock.now()), serverName.trimmed()));
}

void StatusLine::showNoAnswer(const QString& reason)
{
    m_failureShown = true;
    // What went wrong comes first: the line is cut at the window's edge, and
    // its tool tip holds the rest.
    QString text =
        QStringLiteral("%1  %2: %3, trying every 5 s.").arg(clock(m_clock.now()), m_host, reason);
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
