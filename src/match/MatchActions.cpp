#include "match/MatchActions.h"

#include "match/LaunchPlan.h"
#include "match/Module1.h"
#include "platform/ClientSocket.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/ProcessLauncher.h"
#include "platform/Timer.h"
#include "scan/ScanController.h"
#include "settings/GamePathsController.h"
#include "ui/Controls.h"
#include "ui/Form1.h"
#include "ui/ServerListView.h"
#include "ui/StatusLine.h"
#include "ui/WindowText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace pollwick {

MatchActions::MatchActions(Form1& form)
    : m_form(form)
{ }

void MatchActions::runMatchActions(const ServerRecord& matched, ParsedFields fromLine)
{
    Form1& f = m_form;
    // End the scan first: no list or re-query may arrive while the alerts wait.
    f.scan().restoreIdleControls();
    f.Refresh1->setInterval(0);
    f.Winsock1->close();
    f.MatchArmed = 0;
    f.ListView1->commitRows();
    f.ListView1->revealLastRow();
    f.status().serverFound(fromListText(matched.serverName));

    Platform& platform = f.platform();
    if (isTicked(f.WaveCheck)) {
        Module1::PlayWaveFile(platform.sound(), f.WaveFile->text());
    }
    if (isTicked(f.MsgCheck)) {
        platform.messageBox().show(&f, f.MsgMsg->text(), QStringLiteral("Server Up"));
    }
    if (isTicked(f.WombixCheck)) {
        launchGame(matched, fromLine);
    }
}

void MatchActions::launchGame(const ServerRecord& matched, ParsedFields fromLine)
{
    const std::optional<LaunchPlan> plan = planLaunch(matched, fromLine);
    if (!plan) {
        return;
    }
    // The command line reads "<path> -connect <address>"; it goes to the
    // system as a program and its arguments, never through a shell, so the
    // path may hold spaces and the address stays one argument.
    m_form.platform().launcher().start(
        m_form.paths().pathFor(plan->edition),
        {QStringLiteral("-connect"), fromListText(plan->connectAddress)});
}

void MatchActions::WaveCheck_Click()
{
    Form1& f = m_form;
    if (isTicked(f.WaveCheck)) {
        f.Command3->setEnabled(true);
        f.WaveFile->setEnabled(true);
    } else {
        f.WaveFile->setEnabled(false);
        f.Command3->setEnabled(false);
    }
}

void MatchActions::MsgCheck_Click()
{
    enableIfTicked(m_form.MsgMsg, m_form.MsgCheck);
}

void MatchActions::Command3_Click()
{
    const std::optional<QString> chosen = m_form.platform().fileDialog().openFile(
        &m_form, QStringLiteral("Wave Files|*.wav"), m_lastWaveFile);
    if (!chosen) {
        return;
    }
    m_lastWaveFile = *chosen;
    m_form.WaveFile->setText(*chosen);
}

} // namespace pollwick
