#include "window/MainWindow.h"

#include "core/scan/ResponseWalk.h"
#include "platform/ClientSocket.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "window/Appearance.h"
#include "window/MainWindowLifecycle.h"
#include "window/ServerListView.h"
#include "window/StatusLine.h"
#include "window/Twips.h"
#include "window/match/MatchActions.h"
#include "window/match/MatchHandlers.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"
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
{
    setupUi(this);
    // The program's icon comes in a large size too, which a .ui icon cannot
    // hold beside the small ones.
    setWindowIcon(programIcon());
    centerOnFirstShow(this);

    startupCheckTimer = platform.createTimer();
    serverChoiceTimer = platform.createTimer();
    serverChoiceTimer->setInterval(100);
    requeryTimer = platform.createTimer();
    listSocket = platform.createSocket();

    finishControls();
    focusFirstControl();

    const Ui::MainWindow& controls = *this;
    m_buffers = std::make_unique<ResponseWalk>();
    m_status = std::make_unique<StatusLine>(*statusLabel, platform.clock());
    m_pathsDialog = std::make_unique<PathsDialog>(platform.settings(), platform.fileDialog(),
                                                  platform.messageBox(), *this);
    m_scan = std::make_unique<ScanController>(controls, *listSocket, *serverChoiceTimer,
                                              *requeryTimer, *m_buffers, matchArmed, *m_status);
    m_exchange = std::make_unique<ListExchange>(*listSocket, *m_buffers, *m_status);
    m_actions = std::make_unique<MatchActions>(
        *this, controls, *listSocket, *requeryTimer, matchArmed, *m_status, *m_pathsDialog,
        AlertServices{platform.sound(), platform.notifier(), platform.messageBox(),
                      platform.fileDialog(), platform.launcher()});
    m_match = std::make_unique<MatchHandlers>(controls, matchArmed, *m_actions);
    m_paths = std::make_unique<GamePathsController>(*m_pathsDialog, *this);
    m_lifecycle = std::make_unique<MainWindowLifecycle>(*this, controls, *startupCheckTimer,
                                                        *m_pathsDialog, platform.messageBox(),
                                                        [&platform] { platform.endProcess(); });
    connectHandlers();

    m_lifecycle->load();
}

MainWindow::~MainWindow()
{
    // Timers, the socket and the handlers go before the controls they refer
    // to, the handlers before the dialog and buffers they hold.
    startupCheckTimer.reset();
    serverChoiceTimer.reset();
    requeryTimer.reset();
    listSocket.reset();
    m_lifecycle.reset();
    m_paths.reset();
    m_match.reset();
    m_actions.reset();
    m_exchange.reset();
    m_scan.reset();
    m_pathsDialog.reset();
}

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
    ScanController* scan = m_scan.get();
    serverChoiceTimer->onTick = [scan] { scan->checkServerChoice(); };
    requeryTimer->onTick = [scan] { scan->requery(); };
    connect(goButton, &QPushButton::clicked, this, [scan] { scan->startScan(); });
    connect(stopButton, &QPushButton::clicked, this, [scan] { scan->stopScan(); });

    ListExchange* exchange = m_exchange.get();
    listSocket->onDataArrival = [exchange] { exchange->readListData(); };
    // How each query's connection goes only tells the status line.
    listSocket->onOutcome = [exchange](SocketOutcome outcome) {
        exchange->connectionOutcome(outcome);
    };
    ServerListView* list = serverList;
    exchange->clearHook = [list] { list->removeAllRows(); };
    exchange->listHook = [list](const ServerRecord& record) { list->addRow(record); };
    exchange->arrivalHook = [list] { list->commitRows(); };

    // A box's click runs whenever its value changes, also from code.
    MatchHandlers* match = m_match.get();
    exchange->testHook = [match](ServerRecord& record, ParsedFields fromLine) {
        return match->testRecord(record, fromLine);
    };
    connect(versionCheck, &QCheckBox::toggled, this, [match] { match->enableVersionField(); });
    connect(nameCheck, &QCheckBox::toggled, this, [match] { match->enableNameField(); });
    connect(addressCheck, &QCheckBox::toggled, this, [match] { match->enableAddressField(); });
    connect(gameTypeCheck, &QCheckBox::toggled, this, [match] { match->enableGameTypeField(); });

    MatchActions* actions = m_actions.get();
    connect(waveCheck, &QCheckBox::toggled, this, [actions] { actions->enableWaveFileFields(); });
    connect(messageCheck, &QCheckBox::toggled, this, [actions] { actions->enableMessageField(); });
    connect(waveFileButton, &QPushButton::clicked, this, [actions] { actions->chooseWaveFile(); });

    GamePathsController* paths = m_paths.get();
    connect(pathsButton, &QPushButton::clicked, this, [paths] { paths->openPathsDialog(); });

    MainWindowLifecycle* lifecycle = m_lifecycle.get();
    startupCheckTimer->onTick = [lifecycle] { lifecycle->checkGamePaths(); };
    connect(showListCheck, &QCheckBox::toggled, this, [lifecycle] { lifecycle->applyListWidth(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never cancelled: it ends the program.
    event->accept();
    m_lifecycle->endProgram();
}

} // namespace pollwick
