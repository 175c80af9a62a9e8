// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/match/MatchActions.h"

#include "core/match/LaunchPlan.h"
#include "platform/ClientSocket.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/ProcessLauncher.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "window/MainWindowControls.h"
#include "window/ServerListView.h"
#include "window/StatusLine.h"
#include "window/WindowText.h"
#include "window/scan/ScanSession.h"
#include "window/settings/PathsDialog.h"
#include "window/ui_MainWindow.h"

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

MatchActions::MatchActions(QWidget& window, const Ui::MainWindow& controls, ScanSession& session,
                           ClientSocket& listSocket, Timer& requeryTimer, StatusLine& status,
                           const PathsDialog& pathsDialog, AlertServices services)
    : QObject(&window)
    , m_window(window)
    , m_controls(controls)
    , m_session(session)
    , m_socket(listSocket)
    , m_requeryTimer(requeryTimer)
    , m_status(status)
    , m_paths(pathsDialog)
    , m_services(services)
{ }

MatchActions::~MatchActions() = default;

void MatchActions::runMatchActions(const ServerRecord& matched, ParsedFields fromLine)
{
    const Ui::MainWindow& c = m_controls;
    // End the scan first: no list or re-query may arrive while the alerts
    // wait, and no later match alerts until "Go" arms the alert again.
    m_session.matchFound();
    m_requeryTimer.setInterval(0);
    m_socket.close();
    c.serverList->commitRows();
    c.serverList->revealLastRow();
    m_status.serverFound(shownListText(matched.serverName), c.serverList->rows());

    // A user who ticked no alert chose not to be told: the scan ends with the
    // status line alone. Otherwise the window may be hidden behind a
    // full-screen game or on another desktop: the task bar and the desktop's
    // notifications reach the user before the sound, which waits.
    if (c.waveCheck->isChecked() || c.messageCheck->isChecked() || c.launchCheck->isChecked()) {
        QApplication::alert(&m_window);
        m_services.notifier.notify(QStringLiteral("Server Up"), serverUpText(matched, fromLine));
    }

    if (c.waveCheck->isChecked()) {
        m_services.sound.playSync(c.waveFileEdit->text());
    }
    if (c.messageCheck->isChecked()) {
        m_services.messageBox.show(&m_window, c.messageEdit->text(), QStringLiteral("Server Up"));
    }
    if (c.launchCheck->isChecked()) {
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

void MatchActions::enableWaveFileFields()
{
    enableWaveFileIfTicked(m_controls);
}

void MatchActions::enableMessageField()
{
    m_controls.messageEdit->setEnabled(m_controls.messageCheck->isChecked());
}

void MatchActions::chooseWaveFile()
{
    const std::optional<QString> chosen = m_services.fileDialog.openFile(
        &m_window, QStringLiteral("Wave Files|*.wav"), m_lastWaveFile);
    if (!chosen) {
        return;
    }
    m_lastWaveFile = *chosen;
    m_controls.waveFileEdit->setText(*chosen);
}

} // namespace pollwick
