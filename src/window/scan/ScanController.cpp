#include "window/scan/ScanController.h"

#include "core/scan/ResponseWalk.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "window/Form1Controls.h"
#include "window/StatusLine.h"

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

ScanController::ScanController(const Form1Controls& controls, ClientSocket& Winsock1, Timer& Timer2,
                               Timer& Refresh1, ResponseWalk& servList, std::int32_t& matchArmed,
                               StatusLine& status)
    : m_controls(controls)
    , m_socket(Winsock1)
    , m_serverGate(Timer2)
    , m_refresh(Refresh1)
    , m_servList(servList)
    , m_matchArmed(matchArmed)
    , m_status(status)
{ }

void ScanController::Timer2_Timer()
{
    const QString host = m_controls.RemHost->currentText();
    if (host.isEmpty() || host == kServerPlaceholder) {
        return;
    }
    m_controls.Frame1->setEnabled(true);
    m_controls.Frame2->setEnabled(true);
    m_controls.Command1->setEnabled(true);
    m_serverGate.setEnabled(false);
    m_status.serverChosen();
}

void ScanController::Command1_Click()
{
    const Form1Controls& c = m_controls;
    m_matchArmed = 1;
    m_servList.emptyServList();
    m_status.scanStarted();
    queryListServer();
    for (QWidget* control : std::initializer_list<QWidget*>{
             c.ScanCheck, c.MsgMsg, c.WaveFile, c.Command3, c.Combo2, c.FName, c.fIP, c.Combo3,
             c.MsgCheck, c.WaveCheck, c.VersionCheck, c.NameCheck, c.IPCheck, c.GameCheck,
             c.RemHost, c.Command1}) {
        control->setEnabled(false);
    }
    c.Command2->setEnabled(true);
    c.WombixCheck->setEnabled(false);
    m_refresh.setInterval(kRefreshMilliseconds);
}

void ScanController::Command2_Click()
{
    restoreIdleControls(m_controls);
    m_refresh.setInterval(0);
    m_status.scanStopped();
}

void ScanController::Refresh1_Timer()
{
    queryListServer();
}

void ScanController::queryListServer()
{
    m_socket.close();
    // The host is read at every query: it is never remembered.
    const QString host = m_controls.RemHost->currentText();
    m_status.queryStarted(host);
    m_socket.setRemoteHost(host);
    m_socket.setRemotePort(kListServerPort);
    // A host that does not resolve or refuses is not reported: the next
    // query tries again.
    m_socket.connect();
}

ScanState ScanController::state() const
{
    if (m_serverGate.isEnabled()) {
        return ScanState::AwaitingServer;
    }
    return m_refresh.interval() > 0 ? ScanState::Scanning : ScanState::Ready;
}

} // namespace pollwick
