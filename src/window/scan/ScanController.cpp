#include "window/scan/ScanController.h"

#include "core/scan/ResponseWalk.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "window/MainWindowControls.h"
#include "window/StatusLine.h"
#include "window/ui_MainWindow.h"

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

ScanController::ScanController(const Ui::MainWindow& controls, ClientSocket& listSocket,
                               Timer& serverChoiceTimer, Timer& requeryTimer, ResponseWalk& walk,
                               std::int32_t& matchArmed, StatusLine& status)
    : m_controls(controls)
    , m_socket(listSocket)
    , m_serverGate(serverChoiceTimer)
    , m_refresh(requeryTimer)
    , m_walk(walk)
    , m_matchArmed(matchArmed)
    , m_status(status)
{ }

void ScanController::checkServerChoice()
{
    const QString host = m_controls.hostCombo->currentText();
    if (host.isEmpty() || host == kServerPlaceholder) {
        return;
    }
    m_controls.criteriaGroup->setEnabled(true);
    m_controls.alertsGroup->setEnabled(true);
    m_controls.goButton->setEnabled(true);
    m_serverGate.setEnabled(false);
    m_status.serverChosen();
}

void ScanController::startScan()
{
    const Ui::MainWindow& c = m_controls;
    m_matchArmed = 1;
    m_walk.clearEntries();
    m_status.scanStarted();
    queryListServer();
    for (QWidget* control : std::initializer_list<QWidget*>{
             c.privateCheck, c.messageEdit, c.waveFileEdit, c.waveFileButton, c.versionCombo,
             c.nameEdit, c.addressEdit, c.gameTypeCombo, c.messageCheck, c.waveCheck,
             c.versionCheck, c.nameCheck, c.addressCheck, c.gameTypeCheck, c.hostCombo,
             c.goButton}) {
        control->setEnabled(false);
    }
    c.stopButton->setEnabled(true);
    c.launchCheck->setEnabled(false);
    m_refresh.setInterval(kRefreshMilliseconds);
}

void ScanController::stopScan()
{
    restoreIdleControls(m_controls);
    m_refresh.setInterval(0);
    m_status.scanStopped();
}

void ScanController::requery()
{
    queryListServer();
}

void ScanController::queryListServer()
{
    m_socket.close();
    // The host is read at every query: it is never remembered.
    const QString host = m_controls.hostCombo->currentText();
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
