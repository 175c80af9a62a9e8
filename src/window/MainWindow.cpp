// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MainWindow.h"

#include "platform/ClientSocket.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "window/Appearance.h"
#include "window/MainWindowControls.h"
#include "window/MainWindowLifecycle.h"
#include "window/ServerListView.h"
#include "window/StatusLine.h"
#include "window/Twips.h"
#include "window/match/MatchActions.h"
#include "window/match/MatchHandlers.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"
#include "window/scan/ScanSession.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

namespace pollwick {
namespace {

// What the .ui cannot say of an editable drop-down: the placeholder (its
// text in the .ui) is not one of its items, and the text is taken as typed.
// uic adds the items first, which selects the first one, and dropping that
// selection clears the text, so the text is put back afterwards.
void finishDropDown(QComboBox* combo)
{
    // The text is what the user typed, exactly: Qt's completer would finish
    // it from the items and change its letter case, and a criterion is
    // compared exactly ("1.24 X" is no version) or is a piece of a word ("r").
    combo->setCompleter(nullptr);
    const QString placeholder = combo->currentText();
    combo->setCurrentIndex(-1);
    combo->setEditText(placeholder);
}

// The controls of a frame start 16 pixels below its top, where the Windows
// look draws the border: through the middle of the title. Styles such as
// Fusion draw it below the title instead, right through the first row of
// controls, so the frames draw their border the Windows way whatever the
// style. Call once the frame has its font.
void drawBorderThroughTitle(QGroupBox* box)
{
    const int titleHeight = box->fontMetrics().height();
    box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); "
                                      "border-radius: 2px; margin-top: %1px; }"
                                      "QGroupBox::title { subcontrol-origin: margin; "
                                      "left: 6px; padding: 0px 2px; }")
                           .arg(titleHeight / 2));
}

// The widths were drawn for a narrower dialog font than most desktops use.
// A check box whose caption would be cut off takes the free room to its
// right, up to `rightTwips` (the field of its row, or the frame's inner
// edge); one whose caption fits keeps its designed width.
void fitCaption(QCheckBox* box, int rightTwips)
{
    const int wanted = box->sizeHint().width();
    if (wanted > box->width()) {
        box->resize(std::min(wanted, twips(rightTwips) - box->x()), box->height());
    }
}

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                  Qt::MSWindowsFixedSizeDialogHint)
    , m_platform(platform)
    , m_pathsDialog(std::make_unique<PathsDialog>(platform.settings(), platform.fileDialog(),
                                                  platform.messageBox(), *this))
{
    setupUi(this);
    // The program's icon comes in a large size too, which a .ui icon cannot
    // hold beside the small ones.
    setWindowIcon(programIcon());
    centerOnFirstShow(this);

    finishControls();
    focusFirstControl();

    const Ui::MainWindow& controls = *this;
    startupCheckTimer = platform.createTimer(this);
    serverChoiceTimer = platform.createTimer(this);
    serverChoiceTimer->setInterval(100);
    requeryTimer = platform.createTimer(this);
    listSocket = platform.createSocket(this);
    m_session = new ScanSession(this);
    m_status = new StatusLine(*statusLabel, platform.clock(), this);
    m_actions = new MatchActions(
        *this, controls, *m_session, *listSocket, *requeryTimer, *m_status, *m_pathsDialog,
        AlertServices{platform.sound(), platform.notifier(), platform.messageBox(),
                      platform.fileDialog(), platform.launcher()});
    m_match = new MatchHandlers(controls, *m_session, *m_actions, this);
    m_exchange = new ListExchange(*listSocket, *m_match, *m_status, this);
    m_scan = new ScanController(*hostCombo, *m_session, *listSocket, *serverChoiceTimer,
                                *requeryTimer, *m_exchange, *m_status, this);
    m_paths = new GamePathsController(*m_pathsDialog, *this);
    m_lifecycle = new MainWindowLifecycle(*this, controls, *startupCheckTimer, *m_pathsDialog,
                                          platform.messageBox());
    connectHandlers();

    m_lifecycle->load();
}

MainWindow::~MainWindow() = default;

void MainWindow::finishControls()
{
    // The .ui gives whole points only; the window's font is 8.25 pt.
    const QFont arial = windowFont(WindowFont::Arial);
    for (QWidget* control :
         std::initializer_list<QWidget*>{serverGroup, hostCombo, alertsGroup, criteriaGroup,
                                         goButton, stopButton, statusLabel}) {
        control->setFont(arial);
    }
    pathsButton->setFont(windowFont(WindowFont::ArialBold));
    // The controls of "Notify Configuration" and the two text criteria use
    // the window's own font, not their frame's. The window never set a font,
    // so its font resolves nothing and setting it as it stands would let the
    // frame's Arial through: mark it as set.
    QFont plain = font();
    plain.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget* control : std::initializer_list<QWidget*>{
             messageCheck, messageEdit, waveCheck, waveFileEdit, waveFileButton, launchCheck,
             privateCheck, nameEdit, addressEdit}) {
        control->setFont(plain);
    }

    for (QComboBox* combo : {hostCombo, versionCombo, gameTypeCombo}) {
        finishDropDown(combo);
    }
    for (QGroupBox* box : {criteriaGroup, alertsGroup, serverGroup, miscGroup}) {
        drawBorderThroughTitle(box);
    }
    // Fields start at 1920 twips; keep 60 twips clear of them.
    for (QCheckBox* box :
         {messageCheck, waveCheck, versionCheck, nameCheck, addressCheck, gameTypeCheck}) {
        fitCaption(box, 1860);
    }
    fitCaption(launchCheck, 3975);
    fitCaption(privateCheck, 3975);
    fitCaption(showListCheck, 1575);
}

void MainWindow::focusFirstControl()
{
    // On activation Qt would focus the first control that can take it along
    // the window's own focus chain, which starts where creation started. The
    // first focus belongs instead to the first control that can take it in
    // the designed tab order, which begins at versionCheck: at start, the
    // list server choice.
    QWidget* control = versionCheck;
    do {
        if ((control->focusPolicy() & Qt::TabFocus) != 0 && control->isEnabled() &&
            !control->isHidden()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
        control = control->nextInFocusChain();
    } while (control != versionCheck);
}

void MainWindow::connectHandlers()
{
    // The scan's state sets the controls, in this one place.
    connect(m_session, &ScanSession::stateChanged, this,
            [this](ScanState state) { showScanState(*this, state); });

    connect(serverChoiceTimer, &Timer::ticked, m_scan, &ScanController::checkServerChoice);
    connect(goButton, &QPushButton::clicked, m_scan, &ScanController::startScan);
    connect(stopButton, &QPushButton::clicked, m_scan, &ScanController::stopScan);
    connect(requeryTimer, &Timer::ticked, m_scan, &ScanController::requery);

    connect(listSocket, &ClientSocket::dataArrived, m_exchange, &ListExchange::readListData);
    connect(listSocket, &ClientSocket::outcomeReported, m_exchange,
            &ListExchange::connectionOutcome);
    connect(m_exchange, &ListExchange::responseStarted, serverList, &ServerListView::removeAllRows);
    connect(m_exchange, &ListExchange::recordListed, serverList, &ServerListView::addRow);
    connect(m_exchange, &ListExchange::arrivalWalked, serverList, &ServerListView::commitRows);

    // A box's handler runs whenever its value changes, also from code.
    connect(versionCheck, &QCheckBox::toggled, m_match, &MatchHandlers::enableVersionField);
    connect(nameCheck, &QCheckBox::toggled, m_match, &MatchHandlers::enableNameField);
    connect(addressCheck, &QCheckBox::toggled, m_match, &MatchHandlers::enableAddressField);
    connect(gameTypeCheck, &QCheckBox::toggled, m_match, &MatchHandlers::enableGameTypeField);
    connect(waveCheck, &QCheckBox::toggled, m_actions, &MatchActions::enableWaveFileFields);
    connect(messageCheck, &QCheckBox::toggled, m_actions, &MatchActions::enableMessageField);
    connect(waveFileButton, &QPushButton::clicked, m_actions, &MatchActions::chooseWaveFile);

    connect(pathsButton, &QPushButton::clicked, m_paths, &GamePathsController::openPathsDialog);

    connect(startupCheckTimer, &Timer::ticked, m_lifecycle, &MainWindowLifecycle::checkGamePaths);
    connect(showListCheck, &QCheckBox::toggled, m_lifecycle, &MainWindowLifecycle::applyListWidth);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never cancelled: it ends the program, a scan and all.
    event->accept();
    m_platform.endProcess();
}

} // namespace pollwick
