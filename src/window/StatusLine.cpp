#include "window/StatusLine.h"

#include "platform/Clock.h"

#include <QLabel>

namespace pollwick {
namespace {

QString clock(const QDateTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

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

void StatusLine::scanStarted(const QString& host)
{
    m_host = host;
    m_lastList = {};
    show(QStringLiteral("Asking %1 every 5 s...").arg(host));
}

void StatusLine::listArrived(int serversListed)
{
    m_lastList = m_clock.now();
    m_lastCount = serversListed;
    show(QStringLiteral("%1  %2 server(s) listed").arg(clock(m_lastList)).arg(serversListed));
}

void StatusLine::scanStopped()
{
    if (m_lastList.isValid()) {
        show(QStringLiteral("Stopped. Last list %1: %2 server(s).")
                 .arg(clock(m_lastList))
                 .arg(m_lastCount));
    } else {
        show(QStringLiteral("Stopped."));
    }
}

void StatusLine::serverFound(const QString& serverName)
{
    show(QStringLiteral("%1  Found: %2").arg(clock(m_clock.now()), serverName.trimmed()));
}

void StatusLine::show(const QString& text)
{
    m_label.setText(text);
}

} // namespace pollwick
