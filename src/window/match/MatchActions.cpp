#include "window/match/MatchActions.h"

#include "core/match/LaunchPlan.h"
#include "platform/ClientSocket.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/ProcessLauncher.h"
#include "platform/Timer.h"
#include "window/Controls.h"
#include "window/Form1Controls.h"
#include "window/ServerListView.h"
#include "window/StatusLine.h"
#include "window/WindowText.h"
#include "window/match/Module1.h"
#include "window/settings/PathsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <variant>

namespace pollwick {
namespace {

// The notification's text: the server's name as the list shows it, its
// players and its address, each on a line of its own. Players and address
// that the matched line did not give itself belong to an earlier line, and
// are left out rather than shown for this server.
QString serverUpText(const ServerRecord& matched, ParsedFields fromLine)
{
    QStringList lines{shownListText(matched.serverName).trimmed()};
    const QString players = shownListText(matched.players).trimmed();
    if (fromLine.has(ParsedFields::Players) && !players.isEmpty()) {
        lines << players + QStringLiteral(" players");
    }
    // The match test leaves the address lower-cased: "private" for a
    // private server.
    const QString address = shownListText(matched.ipAddress).trimmed();
    if (fromLine.has(ParsedFields::IpAddress) && !address.isEmpty()) {
        lines << (address == QLatin1String("private") ? QStringLiteral("private server") : address);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

MatchActions::MatchActions(QWidget& window, const Form1Controls& controls, ClientSocket& Winsock1,
                           Timer& Refresh1, std::int32_t& matchArmed, StatusLine& status,
                           const PathsDialog& Paths, AlertServices services)
    : m_window(window)
    , m_controls(controls)
    , m_socket(Winsock1)
    , m_refresh(Refresh1)
    , m_matchArmed(matchArmed)
    , m_status(status)
    , m_paths(Paths)
    , m_services(services)
{ }

void MatchActions::runMatchActions(const ServerRecord& matched, ParsedFields fromLine)
{
    const Form1Controls& c = m_controls;
    // End the scan first: no list or re-query may arrive while the alerts wait.
    restoreIdleControls(c);
    m_refresh.setInterval(0);
    m_socket.close();
    m_matchArmed = 0;
    c.ListView1->commitRows();
    c.ListView1->revealLastRow();
    m_status.serverFound(shownListText(matched.serverName), c.ListView1->rows());

    // A user who ticked no alert chose not to be told: the scan ends with the
    // status line alone. Otherwise the window may be hidden behind a
    // full-screen game or on another desktop: the task bar and the desktop's
    // notifications reach the user before the sound, which waits.
    if (isTicked(c.WaveCheck) || isTicked(c.MsgCheck) || isTicked(c.WombixCheck)) {
        QApplication::alert(&m_window);
        m_services.notifier.notify(QStringLiteral("Server Up"), serverUpText(matched, fromLine));
    }

    if (isTicked(c.WaveCheck)) {
        Module1::PlayWaveFile(m_services.sound, c.WaveFile->text());
    }
    if (isTicked(c.MsgCheck)) {
        m_services.messageBox.show(&m_window, c.MsgMsg->text(), QStringLiteral("Server Up"));
    }
    if (isTicked(c.WombixCheck)) {
        launchGame(matched, fromLine);
    }
}

void MatchActions::launchGame(const ServerRecord& matched, ParsedFields fromLine)
{
    const std::variant<LaunchPlan, NoLaunch> decision = planLaunch(matched, fromLine);
    if (const auto* refused = std::get_if<NoLaunch>(&decision)) {
        switch (*refused) {
        case NoLaunch::PrivateServer:
            m_status.gameNotStarted(QStringLiteral("the server is private"));
            return;
        case NoLaunch::NoVersion:
            m_status.gameNotStarted(QStringLiteral("no edition plays its version"));
            return;
        case NoLaunch::NoAddress:
            m_status.gameNotStarted(QStringLiteral("its line gives no address"));
            return;
        case NoLaunch::NotAnAddress:
            m_status.gameNotStarted(QStringLiteral("\"%1\" is not an address")
                                        .arg(shownListText(matched.ipAddress).trimmed()));
            return;
        }
    }
    const LaunchPlan& plan = std::get<LaunchPlan>(decision);
    const QString path = m_paths.workingCopy().of(plan.edition);
    if (path.isEmpty()) {
        m_status.gameNotStarted(QStringLiteral("no game path is set for %1 (Wombix Paths)")
                                    .arg(fromListText(matched.version)));
        return;
    }
    // The command line reads "<path> -connect <address>"; it goes to the
    // system as a program and its arguments, never through a shell, so the
    // path may hold spaces and the address stays one argument.
    if (!m_services.launcher.start(
            path, {QStringLiteral("-connect"), fromListText(plan.connectAddress)})) {
        m_status.gameNotStarted(QStringLiteral("%1 cannot be started").arg(path));
    }
}

void MatchActions::WaveCheck_Click()
{
    enableWaveFileIfTicked(m_controls);
}

void MatchActions::MsgCheck_Click()
{
    enableIfTicked(m_controls.MsgMsg, m_controls.MsgCheck);
}

void MatchActions::Command3_Click()
{
    const std::optional<QString> chosen = m_services.fileDialog.openFile(
        &m_window, QStringLiteral("Wave Files|*.wav"), m_lastWaveFile);
    if (!chosen) {
        return;
    }
    m_lastWaveFile = *chosen;
    m_controls.WaveFile->setText(*chosen);
}

} // namespace pollwick
