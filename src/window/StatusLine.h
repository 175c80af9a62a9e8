#pragma once

#include <QDateTime>
#include <QString>

class QLabel;

namespace pollwick {

class Clock;

// The one-line status along the bottom of the main window (Label1), so the
// user can see that polling is alive: which list server is being asked, when
// the last list came and how many servers it held.
class StatusLine final
{
public:
    StatusLine(QLabel& label, const Clock& clock);

    void serverChosen();
    void scanStarted(const QString& host);
    void listArrived(int serversListed);
    void scanStopped();
    void serverFound(const QString& serverName);

private:
    void show(const QString& text);

    QLabel& m_label;
    const Clock& m_clock;
    QString m_host;
    QDateTime m_lastList;
    int m_lastCount = 0;
};

} // namespace pollwick
