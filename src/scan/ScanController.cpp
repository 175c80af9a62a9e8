#include "scan/ScanController.h"

#include "match/MatchActions.h"
#include "match/MatchHandlers.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "scan/ListExchange.h"
#include "ui/Form1.h"
#include "ui/StatusLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

namespace pollwick {
namespace {

const QString kServerPlaceholder = QStringLiteral("List Server Select");

} // namespace

ScanController::ScanController(Form1& form)
    : m_form(form)
{ }

void ScanController::Timer2_Timer()
{
    const QString host = m_form.RemHost->currentText();
    if (host.isEmpty() || host == kServerPlaceholder) {
        return;
    }
    m_form.Frame1->setEnabled(true);
    m_form.Frame2->setEnabled(true);
    m_form.Command1->setEnabled(true);
    m_form.Timer2->setEnabled(false);
    m_form.status().serverChosen();
}

void ScanController::Command1_Click()
{
    Form1& f = m_form;
    f.MatchArmed = 1;
    f.exchange().emptyServList();
    queryListServer();
    for (QWidget* control : std::initializer_list<QWidget*>{
             f.ScanCheck, f.MsgMsg, f.WaveFile, f.Command3, f.Combo2, f.FName, f.fIP, f.Combo3,
             f.MsgCheck, f.WaveCheck, f.VersionCheck, f.NameCheck, f.IPCheck, f.GameCheck,
             f.RemHost, f.Command1}) {
        control->setEnabled(false);
    }
    f.Command2->setEnabled(true);
    f.WombixCheck->setEnabled(false);
    f.Refresh1->setInterval(kRefreshMilliseconds);
    f.status().scanStarted(f.RemHost->currentText());
}

void ScanController::Command2_Click()
{
    restoreIdleControls();
    m_form.Refresh1->setInterval(0);
    m_form.status().scanStopped();
}

void ScanController::Refresh1_Timer()
{
    queryListServer();
}

void ScanController::queryListServer()
{
    ClientSocket& socket = *m_form.Winsock1;
    socket.close();
    // The host is read at every query: it is never remembered.
    socket.setRemoteHost(m_form.RemHost->currentText());
    socket.setRemotePort(kListServerPort);
    // A host that does not resolve or refuses is not reported: the next
    // query tries again.
    socket.connect();
}

void ScanController::restoreIdleControls()
{
    Form1& f = m_form;
    f.WombixCheck->setEnabled(true);
    // Each field as its box says, which is what the boxes' own handlers do.
    f.actions().MsgCheck_Click();
    f.actions().WaveCheck_Click();
    f.match().VersionCheck_Click();
    f.match().NameCheck_Click();
    f.match().IPCheck_Click();
    f.match().GameCheck_Click();
    for (QWidget* box : {f.MsgCheck, f.WaveCheck, f.VersionCheck, f.NameCheck, f.ScanCheck,
                         f.IPCheck, f.GameCheck}) {
        box->setEnabled(true);
    }
    f.RemHost->setEnabled(true);
    f.Command1->setEnabled(true);
    f.Command2->setEnabled(false);
}

ScanState ScanController::state() const
{
    if (m_form.Timer2->isEnabled()) {
        return ScanState::AwaitingServer;
    }
    return m_form.Refresh1->interval() > 0 ? ScanState::Scanning : ScanState::Ready;
}

} // namespace pollwick
