#include "window/MainWindow.h"

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
#include <limits>

namespace pollwick {
namespace {

const QString kDefaultListServers[] = {
    QStringLiteral("list.wombix.net"),
    QStringLiteral("list2.wombix.net"),
};

template <typename Control>
Control* place(QWidget* container, const char* name, QRect geometry)
{
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

QGroupBox* frame(QWidget* window, const char* name, const QString& caption, QRect geometry)
{
    auto* box = place<QGroupBox>(window, name, geometry);
    box->setTitle(caption);
    return box;
}

QCheckBox* checkBox(QWidget* container, const char* name, const QString& caption, QRect geometry)
{
    auto* box = place<QCheckBox>(container, name, geometry);
    box->setText(caption);
    return box;
}

QPushButton* button(QWidget* container, const char* name, const QString& caption, QRect geometry)
{
    auto* push = place<QPushButton>(container, name, geometry);
    push->setText(caption);
    push->setAutoDefault(false);
    return push;
}

QLineEdit* textBox(QWidget* container, const char* name, const QString& text, QRect geometry)
{
    auto* edit = place<QLineEdit>(container, name, geometry);
    // Text boxes have no length limit; QLineEdit's own stops at 32767.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setText(text);
    edit->setCursorPosition(0);
    return edit;
}

// An editable drop-down whose placeholder is its text, not one of its items.
QComboBox* comboBox(QWidget* container, const char* name, const QString& placeholder,
                    const QStringList& items, QRect geometry)
{
    auto* combo = place<QComboBox>(container, name, geometry);
    combo->setEditable(true);
    // The text is what the user typed, exactly: Qt's completer would finish
    // it from the items and change its letter case, and a criterion is
    // compared exactly ("1.24 X" is no version) or is a piece of a word ("r").
    combo->setCompleter(nullptr);
    // Return keeps the item list as it is.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(placeholder);
    return combo;
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
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Wombix Pollwick"));
    setWindowIcon(pollwick::windowIcon(WindowIcon::Main));
    centerOnFirstShow(this);

    createControls();
    setClientWidthTwips(*this, *this, kNarrowClientWidthTwips);
    setTabOrder();

    const MainWindowControls& controls = *this;
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

void MainWindow::createControls()
{
    const QFont arial = windowFont(WindowFont::Arial);
    const QFont arialBold = windowFont(WindowFont::ArialBold);

    serverGroup = frame(this, "serverGroup", QStringLiteral("Server Selection"),
                        twipsRect(120, 120, 2295, 735));
    serverGroup->setFont(arial);
    serverGroup->setToolTip(QStringLiteral("Please Select A Server Before Continuing"));
    hostCombo = comboBox(serverGroup, "hostCombo", QStringLiteral("List Server Select"),
                         {std::begin(kDefaultListServers), std::end(kDefaultListServers)},
                         twipsRect(120, 240, 2055, 330));
    hostCombo->setFont(arial);

    miscGroup = frame(this, "miscGroup", QStringLiteral("Misc"), twipsRect(2520, 120, 1695, 735));
    showListCheck = checkBox(miscGroup, "showListCheck", QStringLiteral("Show List"),
                             twipsRect(120, 240, 1455, 255));

    alertsGroup = frame(this, "alertsGroup", QStringLiteral("Notify Configuration"),
                        twipsRect(120, 960, 4095, 2055));
    alertsGroup->setFont(arial);
    // The controls inside use the window's own font, not the frame's. The
    // window never set a font, so its font resolves nothing and setting it
    // as it stands would let the frame's Arial through: mark it as set.
    QFont plain = font();
    plain.setResolveMask(QFont::AllPropertiesResolved);
    messageCheck = checkBox(alertsGroup, "messageCheck", QStringLiteral("Message Box"),
                            twipsRect(120, 240, 1935, 255));
    messageCheck->setToolTip(QStringLiteral("Leave Blank if MessageBox Alert is not desired"));
    messageEdit = textBox(alertsGroup, "messageEdit", QStringLiteral("Message Box Message"),
                          twipsRect(1920, 240, 2055, 330));
    waveCheck = checkBox(alertsGroup, "waveCheck", QStringLiteral("Play Wav File"),
                         twipsRect(120, 720, 1335, 255));
    waveCheck->setToolTip(QStringLiteral("Leave Blank if No Wav File is desired"));
    waveFileEdit = textBox(alertsGroup, "waveFileEdit", QStringLiteral("Wav Path"),
                           twipsRect(1920, 720, 2055, 330));
    waveFileButton = button(alertsGroup, "waveFileButton", QStringLiteral("..."),
                            twipsRect(3600, 750, 360, 285));
    waveFileButton->setToolTip(QStringLiteral("Select Wav File Path"));
    launchCheck =
        checkBox(alertsGroup, "launchCheck", QStringLiteral("Launch Wombix When Server is Found"),
                 twipsRect(120, 1200, 3855, 255));
    launchCheck->setToolTip(QStringLiteral("Leave Blank if Autolaunch is not desired"));
    privateCheck =
        checkBox(alertsGroup, "privateCheck", QStringLiteral("Include Scanning Private Servers"),
                 twipsRect(120, 1680, 3015, 255));
    for (QWidget* control :
         std::initializer_list<QWidget*>{messageCheck, messageEdit, waveCheck, waveFileEdit,
                                         waveFileButton, launchCheck, privateCheck}) {
        control->setFont(plain);
    }

    criteriaGroup = frame(this, "criteriaGroup", QStringLiteral("Scanning Details"),
                          twipsRect(120, 3120, 4095, 2175));
    criteriaGroup->setFont(arial);
    versionCheck = checkBox(criteriaGroup, "versionCheck", QStringLiteral("Version"),
                            twipsRect(120, 240, 1095, 330));
    versionCheck->setToolTip(QStringLiteral("Leave Blank if Any Version is Acceptable"));
    versionCombo =
        comboBox(criteriaGroup, "versionCombo", QStringLiteral("Version Select"),
                 {QStringLiteral("1.21"), QStringLiteral("1.21 x"), QStringLiteral("1.21 s"),
                  QStringLiteral("1.24"), QStringLiteral("1.24 x"), QStringLiteral("1.24 s")},
                 twipsRect(1920, 240, 2055, 330));
    nameCheck = checkBox(criteriaGroup, "nameCheck", QStringLiteral("Name"),
                         twipsRect(120, 720, 1095, 330));
    nameCheck->setToolTip(QStringLiteral("Leave Blank if Any Server Name is Acceptable"));
    nameEdit = textBox(criteriaGroup, "nameEdit", QStringLiteral("Server Name"),
                       twipsRect(1920, 720, 2055, 330));
    nameEdit->setFont(plain);
    addressCheck = checkBox(criteriaGroup, "addressCheck", QStringLiteral("IP"),
                            twipsRect(120, 1200, 1095, 330));
    addressCheck->setToolTip(QStringLiteral("Leave Blank if Any IP Address is Acceptable"));
    addressEdit = textBox(criteriaGroup, "addressEdit", QStringLiteral("IP Address"),
                          twipsRect(1920, 1200, 2055, 330));
    addressEdit->setFont(plain);
    gameTypeCheck = checkBox(criteriaGroup, "gameTypeCheck", QStringLiteral("Game Type"),
                             twipsRect(120, 1680, 1215, 330));
    gameTypeCheck->setToolTip(QStringLiteral("Leave Blank if Any Game Type is Acceptable"));
    gameTypeCombo =
        comboBox(criteriaGroup, "gameTypeCombo", QStringLiteral("Game Type Select"),
                 {QStringLiteral("Battle"), QStringLiteral("Treasure"), QStringLiteral("Ctf"),
                  QStringLiteral("Race"), QStringLiteral("Coop")},
                 twipsRect(1920, 1680, 2055, 330));

    pathsButton = button(this, "pathsButton", QStringLiteral("Wombix Paths"),
                         twipsRect(120, 5400, 1335, 495));
    pathsButton->setFont(arialBold);
    pathsButton->setToolTip(QStringLiteral("Change Wombix Paths"));
    goButton = button(this, "goButton", QStringLiteral("Go"), twipsRect(1560, 5400, 1335, 495));
    goButton->setFont(arial);
    goButton->setToolTip(QStringLiteral("Begin Scanning"));
    stopButton =
        button(this, "stopButton", QStringLiteral("Stop"), twipsRect(2880, 5400, 1335, 495));
    stopButton->setFont(arial);
    stopButton->setToolTip(QStringLiteral("Stop Scanning"));
    statusLabel = place<QLabel>(this, "statusLabel", twipsRect(120, 6000, 4095, 255));
    statusLabel->setFont(arial);
    statusLabel->setTextFormat(Qt::PlainText);

    serverList = place<ServerListView>(this, "serverList", twipsRect(4320, 195, 5445, 5970));

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

    // Until a list server is chosen only the choice, the paths and "Show
    // List" can be used; inside the frames the fields wait for their boxes.
    criteriaGroup->setEnabled(false);
    alertsGroup->setEnabled(false);
    goButton->setEnabled(false);
    stopButton->setEnabled(false);
    for (QWidget* field :
         std::initializer_list<QWidget*>{messageEdit, waveFileEdit, waveFileButton, nameEdit,
                                         addressEdit, versionCombo, gameTypeCombo}) {
        field->setEnabled(false);
    }
}

void MainWindow::setTabOrder()
{
    // In the order of the designer's tab indexes; frames and labels take no
    // focus.
    const QWidget* const chain[] = {
        versionCheck, nameCheck,      addressCheck, gameTypeCheck, versionCombo, nameEdit,
        addressEdit,  gameTypeCombo,  goButton,     stopButton,    messageCheck, waveCheck,
        waveFileEdit, waveFileButton, messageEdit,  hostCombo,     serverList,   launchCheck,
        pathsButton,  showListCheck,  privateCheck,
    };
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        QWidget::setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    }
    // On activation Qt focuses the first control of its own chain, which
    // follows creation (showListCheck); the first focus belongs to the first control
    // in this order that can take it.
    for (const QWidget* control : chain) {
        if (control->isEnabled() && !control->isHidden()) {
            const_cast<QWidget*>(control)->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
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
