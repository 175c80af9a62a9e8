#include "window/Form1.h"

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

Form1::Form1(Platform& platform, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                  Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Wombix Pollwick"));
    setWindowIcon(pollwick::windowIcon(WindowIcon::Main));
    centerOnFirstShow(this);

    Timer1 = platform.createTimer();
    Timer2 = platform.createTimer();
    Timer2->setInterval(100);
    Refresh1 = platform.createTimer();
    Winsock1 = platform.createSocket();

    createControls();
    setClientWidthTwips(*this, *this, kNarrowClientWidthTwips);
    setTabOrder();

    const Form1Controls& controls = *this;
    m_buffers = std::make_unique<ResponseWalk>();
    m_status = std::make_unique<StatusLine>(*Label1, platform.clock());
    m_pathsDialog = std::make_unique<PathsDialog>(platform.settings(), platform.fileDialog(),
                                                  platform.messageBox(), *this);
    m_scan = std::make_unique<ScanController>(controls, *Winsock1, *Timer2, *Refresh1, *m_buffers,
                                              MatchArmed, *m_status);
    m_exchange = std::make_unique<ListExchange>(*Winsock1, *m_buffers, *m_status);
    m_actions = std::make_unique<MatchActions>(
        *this, controls, *Winsock1, *Refresh1, MatchArmed, *m_status, *m_pathsDialog,
        AlertServices{platform.sound(), platform.notifier(), platform.messageBox(),
                      platform.fileDialog(), platform.launcher()});
    m_match = std::make_unique<MatchHandlers>(controls, MatchArmed, *m_actions);
    m_paths = std::make_unique<GamePathsController>(*m_pathsDialog, *this);
    m_lifecycle = std::make_unique<MainWindowLifecycle>(*this, controls, *Timer1, *m_pathsDialog,
                                                        platform.messageBox(),
                                                        [&platform] { platform.endProcess(); });
    connectHandlers();

    m_lifecycle->Form_Load();
}

Form1::~Form1()
{
    // Timers, the socket and the handlers go before the controls they refer
    // to, the handlers before the dialog and buffers they hold.
    Timer1.reset();
    Timer2.reset();
    Refresh1.reset();
    Winsock1.reset();
    m_lifecycle.reset();
    m_paths.reset();
    m_match.reset();
    m_actions.reset();
    m_exchange.reset();
    m_scan.reset();
    m_pathsDialog.reset();
}

void Form1::createControls()
{
    const QFont arial = windowFont(WindowFont::Arial);
    const QFont arialBold = windowFont(WindowFont::ArialBold);

    Frame3 =
        frame(this, "Frame3", QStringLiteral("Server Selection"), twipsRect(120, 120, 2295, 735));
    Frame3->setFont(arial);
    Frame3->setToolTip(QStringLiteral("Please Select A Server Before Continuing"));
    RemHost = comboBox(Frame3, "RemHost", QStringLiteral("List Server Select"),
                       {std::begin(kDefaultListServers), std::end(kDefaultListServers)},
                       twipsRect(120, 240, 2055, 330));
    RemHost->setFont(arial);

    Frame4 = frame(this, "Frame4", QStringLiteral("Misc"), twipsRect(2520, 120, 1695, 735));
    Check1 =
        checkBox(Frame4, "Check1", QStringLiteral("Show List"), twipsRect(120, 240, 1455, 255));

    Frame2 = frame(this, "Frame2", QStringLiteral("Notify Configuration"),
                   twipsRect(120, 960, 4095, 2055));
    Frame2->setFont(arial);
    // The controls inside use the window's own font, not the frame's. The
    // window never set a font, so its font resolves nothing and setting it
    // as it stands would let the frame's Arial through: mark it as set.
    QFont plain = font();
    plain.setResolveMask(QFont::AllPropertiesResolved);
    MsgCheck =
        checkBox(Frame2, "MsgCheck", QStringLiteral("Message Box"), twipsRect(120, 240, 1935, 255));
    MsgCheck->setToolTip(QStringLiteral("Leave Blank if MessageBox Alert is not desired"));
    MsgMsg = textBox(Frame2, "MsgMsg", QStringLiteral("Message Box Message"),
                     twipsRect(1920, 240, 2055, 330));
    WaveCheck = checkBox(Frame2, "WaveCheck", QStringLiteral("Play Wav File"),
                         twipsRect(120, 720, 1335, 255));
    WaveCheck->setToolTip(QStringLiteral("Leave Blank if No Wav File is desired"));
    WaveFile =
        textBox(Frame2, "WaveFile", QStringLiteral("Wav Path"), twipsRect(1920, 720, 2055, 330));
    Command3 = button(Frame2, "Command3", QStringLiteral("..."), twipsRect(3600, 750, 360, 285));
    Command3->setToolTip(QStringLiteral("Select Wav File Path"));
    WombixCheck =
        checkBox(Frame2, "WombixCheck", QStringLiteral("Launch Wombix When Server is Found"),
                 twipsRect(120, 1200, 3855, 255));
    WombixCheck->setToolTip(QStringLiteral("Leave Blank if Autolaunch is not desired"));
    ScanCheck = checkBox(Frame2, "ScanCheck", QStringLiteral("Include Scanning Private Servers"),
                         twipsRect(120, 1680, 3015, 255));
    for (QWidget* control : std::initializer_list<QWidget*>{MsgCheck, MsgMsg, WaveCheck, WaveFile,
                                                            Command3, WombixCheck, ScanCheck}) {
        control->setFont(plain);
    }

    Frame1 =
        frame(this, "Frame1", QStringLiteral("Scanning Details"), twipsRect(120, 3120, 4095, 2175));
    Frame1->setFont(arial);
    VersionCheck =
        checkBox(Frame1, "VersionCheck", QStringLiteral("Version"), twipsRect(120, 240, 1095, 330));
    VersionCheck->setToolTip(QStringLiteral("Leave Blank if Any Version is Acceptable"));
    Combo2 = comboBox(Frame1, "Combo2", QStringLiteral("Version Select"),
                      {QStringLiteral("1.21"), QStringLiteral("1.21 x"), QStringLiteral("1.21 s"),
                       QStringLiteral("1.24"), QStringLiteral("1.24 x"), QStringLiteral("1.24 s")},
                      twipsRect(1920, 240, 2055, 330));
    NameCheck =
        checkBox(Frame1, "NameCheck", QStringLiteral("Name"), twipsRect(120, 720, 1095, 330));
    NameCheck->setToolTip(QStringLiteral("Leave Blank if Any Server Name is Acceptable"));
    FName =
        textBox(Frame1, "FName", QStringLiteral("Server Name"), twipsRect(1920, 720, 2055, 330));
    FName->setFont(plain);
    IPCheck = checkBox(Frame1, "IPCheck", QStringLiteral("IP"), twipsRect(120, 1200, 1095, 330));
    IPCheck->setToolTip(QStringLiteral("Leave Blank if Any IP Address is Acceptable"));
    fIP = textBox(Frame1, "fIP", QStringLiteral("IP Address"), twipsRect(1920, 1200, 2055, 330));
    fIP->setFont(plain);
    GameCheck =
        checkBox(Frame1, "GameCheck", QStringLiteral("Game Type"), twipsRect(120, 1680, 1215, 330));
    GameCheck->setToolTip(QStringLiteral("Leave Blank if Any Game Type is Acceptable"));
    Combo3 = comboBox(Frame1, "Combo3", QStringLiteral("Game Type Select"),
                      {QStringLiteral("Battle"), QStringLiteral("Treasure"), QStringLiteral("Ctf"),
                       QStringLiteral("Race"), QStringLiteral("Coop")},
                      twipsRect(1920, 1680, 2055, 330));

    Command5 =
        button(this, "Command5", QStringLiteral("Wombix Paths"), twipsRect(120, 5400, 1335, 495));
    Command5->setFont(arialBold);
    Command5->setToolTip(QStringLiteral("Change Wombix Paths"));
    Command1 = button(this, "Command1", QStringLiteral("Go"), twipsRect(1560, 5400, 1335, 495));
    Command1->setFont(arial);
    Command1->setToolTip(QStringLiteral("Begin Scanning"));
    Command2 = button(this, "Command2", QStringLiteral("Stop"), twipsRect(2880, 5400, 1335, 495));
    Command2->setFont(arial);
    Command2->setToolTip(QStringLiteral("Stop Scanning"));
    Label1 = place<QLabel>(this, "Label1", twipsRect(120, 6000, 4095, 255));
    Label1->setFont(arial);
    Label1->setTextFormat(Qt::PlainText);

    ListView1 = place<ServerListView>(this, "ListView1", twipsRect(4320, 195, 5445, 5970));

    for (QGroupBox* box : {Frame1, Frame2, Frame3, Frame4}) {
        drawBorderThroughTitle(box);
    }
    // Fields start at 1920 twips; keep 60 twips clear of them.
    for (QCheckBox* box : {MsgCheck, WaveCheck, VersionCheck, NameCheck, IPCheck, GameCheck}) {
        fitCaption(box, 1860);
    }
    fitCaption(WombixCheck, 3975);
    fitCaption(ScanCheck, 3975);
    fitCaption(Check1, 1575);

    // Until a list server is chosen only the choice, the paths and "Show
    // List" can be used; inside the frames the fields wait for their boxes.
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    for (QWidget* field :
         std::initializer_list<QWidget*>{MsgMsg, WaveFile, Command3, FName, fIP, Combo2, Combo3}) {
        field->setEnabled(false);
    }
}

void Form1::setTabOrder()
{
    // In the order of the designer's tab indexes; frames and labels take no
    // focus.
    const QWidget* const chain[] = {
        VersionCheck, NameCheck, IPCheck,   GameCheck,   Combo2,    FName,    fIP,
        Combo3,       Command1,  Command2,  MsgCheck,    WaveCheck, WaveFile, Command3,
        MsgMsg,       RemHost,   ListView1, WombixCheck, Command5,  Check1,   ScanCheck,
    };
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        QWidget::setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    }
    // On activation Qt focuses the first control of its own chain, which
    // follows creation (Check1); the first focus belongs to the first control
    // in this order that can take it.
    for (const QWidget* control : chain) {
        if (control->isEnabled() && !control->isHidden()) {
            const_cast<QWidget*>(control)->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void Form1::connectHandlers()
{
    ScanController* scan = m_scan.get();
    Timer2->onTick = [scan] { scan->Timer2_Timer(); };
    Refresh1->onTick = [scan] { scan->Refresh1_Timer(); };
    connect(Command1, &QPushButton::clicked, this, [scan] { scan->Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [scan] { scan->Command2_Click(); });

    ListExchange* exchange = m_exchange.get();
    Winsock1->onDataArrival = [exchange] { exchange->Winsock1_DataArrival(); };
    // How each query's connection goes only tells the status line.
    Winsock1->onOutcome = [exchange](SocketOutcome outcome) {
        exchange->connectionOutcome(outcome);
    };
    ServerListView* list = ListView1;
    exchange->clearHook = [list] { list->removeAllRows(); };
    exchange->listHook = [list](const ServerRecord& record) { list->addRow(record); };
    exchange->arrivalHook = [list] { list->commitRows(); };

    // A box's click runs whenever its value changes, also from code.
    MatchHandlers* match = m_match.get();
    exchange->testHook = [match](ServerRecord& record, ParsedFields fromLine) {
        return match->testRecord(record, fromLine);
    };
    connect(VersionCheck, &QCheckBox::toggled, this, [match] { match->VersionCheck_Click(); });
    connect(NameCheck, &QCheckBox::toggled, this, [match] { match->NameCheck_Click(); });
    connect(IPCheck, &QCheckBox::toggled, this, [match] { match->IPCheck_Click(); });
    connect(GameCheck, &QCheckBox::toggled, this, [match] { match->GameCheck_Click(); });

    MatchActions* actions = m_actions.get();
    connect(WaveCheck, &QCheckBox::toggled, this, [actions] { actions->WaveCheck_Click(); });
    connect(MsgCheck, &QCheckBox::toggled, this, [actions] { actions->MsgCheck_Click(); });
    connect(Command3, &QPushButton::clicked, this, [actions] { actions->Command3_Click(); });

    GamePathsController* paths = m_paths.get();
    connect(Command5, &QPushButton::clicked, this, [paths] { paths->Command5_Click(); });

    MainWindowLifecycle* lifecycle = m_lifecycle.get();
    Timer1->onTick = [lifecycle] { lifecycle->Timer1_Timer(); };
    connect(Check1, &QCheckBox::toggled, this, [lifecycle] { lifecycle->Check1_Click(); });
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing is never cancelled: it ends the program.
    event->accept();
    m_lifecycle->Form_Unload();
}

} // namespace pollwick
