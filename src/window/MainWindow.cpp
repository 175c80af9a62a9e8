// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MainWindow.h"

#include "core/Texts.h"
#include "core/Timer.h"
#include "core/layout/WindowLayout.h"
#include "core/match/MatchAlerts.h"
#include "core/scan/ListConnection.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/ProcessLauncher.h"
#include "platform/SoundPlayer.h"
#include "window/Appearance.h"
#include "window/ServerListView.h"
#include "window/Twips.h"
#include "window/WindowText.h"
#include "window/settings/PathsDialog.h"
#include "window/ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <initializer_list>

namespace pollwick {
namespace {

using namespace std::chrono_literals;

QString fromText(std::string_view text)
{
    return fromUtf8(text);
}

// What the .ui cannot say of an editable drop-down: the placeholder (its
// text in the .ui) is not one of its items, and the text is taken as typed.
// uic adds the items first, which selects the first one, and dropping that
// selection clears the text, so the text is put back afterwards.
void finishDropDown(QComboBox* combo)
{
    // The text is what the person typed, exactly: Qt's completer would
    // finish it from the items and change its letter case, and a criterion
    // is compared exactly ("1.24 X" is no version) or is a piece of a word
    // ("r").
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
        box->resize(std::min(wanted, layout::pixels(rightTwips) - box->x()), box->height());
    }
}

// The status line: as much as fits the label, and the whole line in its
// tool tip, as plain text (a typed host name is never markup).
void showStatus(QLabel& label, const QString& text)
{
    label.setText(label.fontMetrics().elidedText(text, Qt::ElideRight, label.width()));
    label.setToolTip(Qt::convertFromPlainText(text));
}

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                  Qt::MSWindowsFixedSizeDialogHint)
    , m_platform(platform)
    , m_ui(std::make_unique<Ui::MainWindow>())
    , m_pathsDialog(std::make_unique<PathsDialog>(platform.settings(), platform.fileDialog(),
                                                  platform.messageBox(), *this))
    , m_startupCheckTimer(platform.createTimer(TimerRole::StartupCheck))
    , m_serverChoiceTimer(platform.createTimer(TimerRole::ServerChoice))
    , m_requeryTimer(platform.createTimer(TimerRole::Requery))
    , m_connection(platform.createConnection())
    , m_engine(std::make_unique<ScanEngine>(*m_connection, *m_requeryTimer, platform.clock(),
                                            static_cast<ScanEngine::Listener&>(*this)))
{
    m_ui->setupUi(this);
    // The program's icon comes in a large size too, which a .ui icon cannot
    // hold beside the small ones.
    setWindowIcon(programIcon());
    centerOnFirstShow(this);
    finishControls();
    focusFirstControl();
    connectHandlers();
    showStatus(*m_ui->statusLabel, fromText(m_engine->statusText()));

    // Load.
    m_pathsDialog->reload();
    m_startupCheckTimer->start(500ms);
    m_ui->serverList->setUpColumns();
    m_serverChoiceTimer->start(100ms);
}

MainWindow::~MainWindow() = default;

void MainWindow::finishControls()
{
    const Ui::MainWindow& c = *m_ui;
    // The .ui gives whole points only; the window's font is 8.25 pt.
    const QFont arial = windowFont(WindowFont::Arial);
    for (QWidget* control :
         std::initializer_list<QWidget*>{c.serverGroup, c.hostCombo, c.alertsGroup, c.criteriaGroup,
                                         c.goButton, c.stopButton, c.statusLabel}) {
        control->setFont(arial);
    }
    c.pathsButton->setFont(windowFont(WindowFont::ArialBold));
    // The controls of "Notify Configuration" and the two text criteria use
    // the window's own font, not their frame's. The window never set a font,
    // so its font resolves nothing and setting it as it stands would let the
    // frame's Arial through: mark it as set.
    QFont plain = font();
    plain.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget* control : std::initializer_list<QWidget*>{
             c.messageCheck, c.messageEdit, c.waveCheck, c.waveFileEdit, c.waveFileButton,
             c.launchCheck, c.privateCheck, c.nameEdit, c.addressEdit}) {
        control->setFont(plain);
    }

    for (QComboBox* combo : {c.hostCombo, c.versionCombo, c.gameTypeCombo}) {
        finishDropDown(combo);
    }
    for (QGroupBox* box : {c.criteriaGroup, c.alertsGroup, c.serverGroup, c.miscGroup}) {
        drawBorderThroughTitle(box);
    }
    // Fields start at 1920 twips; keep 60 twips clear of them.
    for (QCheckBox* box : {c.messageCheck, c.waveCheck, c.versionCheck, c.nameCheck, c.addressCheck,
                           c.gameTypeCheck}) {
        fitCaption(box, 1860);
    }
    fitCaption(c.launchCheck, 3975);
    fitCaption(c.privateCheck, 3975);
    fitCaption(c.showListCheck, 1575);
}

void MainWindow::focusFirstControl()
{
    // On activation Qt would focus the first control that can take it along
    // the window's own focus chain, which starts where creation started. The
    // first focus belongs instead to the first control that can take it in
    // the designed tab order, which begins at versionCheck: at start, the
    // list server choice.
    QWidget* first = m_ui->versionCheck;
    QWidget* control = first;
    do {
        if ((control->focusPolicy() & Qt::TabFocus) != 0 && control->isEnabled() &&
            !control->isHidden()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
        control = control->nextInFocusChain();
    } while (control != first);
}

void MainWindow::connectHandlers()
{
    const Ui::MainWindow& c = *m_ui;
    m_serverChoiceTimer->onTick([this] { pollServerChoice(); });
    connect(c.goButton, &QPushButton::clicked, this, &MainWindow::startScan);
    connect(c.stopButton, &QPushButton::clicked, this, &MainWindow::stopScan);

    // Each box switches its field whenever its value changes, also from
    // code; the boxes can be changed only between scans.
    connect(c.versionCheck, &QCheckBox::toggled, c.versionCombo, &QWidget::setEnabled);
    connect(c.nameCheck, &QCheckBox::toggled, c.nameEdit, &QWidget::setEnabled);
    connect(c.addressCheck, &QCheckBox::toggled, c.addressEdit, &QWidget::setEnabled);
    connect(c.gameTypeCheck, &QCheckBox::toggled, c.gameTypeCombo, &QWidget::setEnabled);
    connect(c.messageCheck, &QCheckBox::toggled, c.messageEdit, &QWidget::setEnabled);
    connect(c.waveCheck, &QCheckBox::toggled, c.waveFileButton, &QWidget::setEnabled);
    connect(c.waveCheck, &QCheckBox::toggled, c.waveFileEdit, &QWidget::setEnabled);
    connect(c.waveFileButton, &QPushButton::clicked, this, &MainWindow::chooseWaveFile);

    connect(c.pathsButton, &QPushButton::clicked, this, &MainWindow::openPathsDialog);
    m_startupCheckTimer->onTick([this] { checkGamePaths(); });
    connect(c.showListCheck, &QCheckBox::toggled, this, &MainWindow::applyListWidth);
}

void MainWindow::pollServerChoice()
{
    if (m_engine->chooseServer(toUtf8(m_ui->hostCombo->currentText()))) {
        // The choice is made once: the poll stops for good.
        m_serverChoiceTimer->stop();
    }
}

void MainWindow::startScan()
{
    m_engine->start(toUtf8(m_ui->hostCombo->currentText()));
}

void MainWindow::stopScan()
{
    m_engine->stop();
}

void MainWindow::checkGamePaths()
{
    m_startupCheckTimer->stop();
    // A store that could not be read is told first: the paths then read as
    // none.
    const QString unreadable = fromText(m_pathsDialog->unreadableMessage());
    if (!unreadable.isEmpty()) {
        m_platform.messageBox().show(this, unreadable, fromText(texts::kProgramTitle));
    }
    if (!noGamePathSet(m_pathsDialog->workingCopy())) {
        return;
    }
    m_platform.messageBox().show(this, fromText(texts::kNoGamePaths),
                                 fromText(texts::kProgramTitle));
    m_pathsDialog->showOverMainWindow();
    setEnabled(false);
}

void MainWindow::applyListWidth()
{
    const bool wide = m_ui->showListCheck->isChecked();
    setFixedSize(layout::pixels(wide ? layout::kWideClientWidth : layout::kNarrowClientWidth),
                 layout::pixels(layout::kMainWindow.clientHeight));
    // Tab must not lose the focus in a control beyond the narrow window's edge.
    m_ui->serverList->setFocusPolicy(wide ? Qt::StrongFocus : Qt::NoFocus);
}

void MainWindow::openPathsDialog()
{
    m_pathsDialog->showOverMainWindow();
    m_pathsDialog->reload();
    setEnabled(false);
}

void MainWindow::chooseWaveFile()
{
    const std::optional<QString> chosen =
        m_platform.fileDialog().openFile(this, texts::kWaveFiles, m_lastWaveFile);
    if (!chosen) {
        return;
    }
    m_lastWaveFile = *chosen;
    m_ui->waveFileEdit->setText(*chosen);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never cancelled: it ends the program, a scan and all.
    event->accept();
    m_platform.endProcess();
}

void MainWindow::stateChanged(ScanState state)
{
    const Ui::MainWindow& c = *m_ui;
    TickedBoxes ticked;
    ticked.message = c.messageCheck->isChecked();
    ticked.wave = c.waveCheck->isChecked();
    ticked.version = c.versionCheck->isChecked();
    ticked.name = c.nameCheck->isChecked();
    ticked.address = c.addressCheck->isChecked();
    ticked.gameType = c.gameTypeCheck->isChecked();
    const UsableControls usable = usableControls(state, ticked);
    c.criteriaGroup->setEnabled(usable.criteriaFrame);
    c.alertsGroup->setEnabled(usable.alertsFrame);
    for (QWidget* box : {c.messageCheck, c.waveCheck, c.versionCheck, c.nameCheck, c.privateCheck,
                         c.addressCheck, c.gameTypeCheck, c.launchCheck}) {
        box->setEnabled(usable.boxes);
    }
    c.messageEdit->setEnabled(usable.messageText);
    c.waveFileEdit->setEnabled(usable.waveFile);
    c.waveFileButton->setEnabled(usable.waveFile);
    c.versionCombo->setEnabled(usable.versionField);
    c.nameEdit->setEnabled(usable.nameField);
    c.addressEdit->setEnabled(usable.addressField);
    c.gameTypeCombo->setEnabled(usable.gameTypeField);
    c.hostCombo->setEnabled(usable.host);
    c.goButton->setEnabled(usable.go);
    c.stopButton->setEnabled(usable.stop);
}

void MainWindow::statusChanged()
{
    showStatus(*m_ui->statusLabel, fromText(m_engine->statusText()));
}

void MainWindow::responseStarted()
{
    m_ui->serverList->rows().removeAllRows();
}

void MainWindow::recordListed(const ServerRecord& record)
{
    m_ui->serverList->rows().addRow(shownRow(record));
}

void MainWindow::pieceWalked()
{
    m_ui->serverList->rows().commitRows();
}

std::optional<MatchCriteria> MainWindow::currentCriteria()
{
    // Read from the controls at every test, whether they can be used or not.
    const Ui::MainWindow& c = *m_ui;
    MatchCriteria criteria;
    criteria.useVersion = c.versionCheck->isChecked();
    criteria.versionText = toListText(c.versionCombo->currentText());
    criteria.useName = c.nameCheck->isChecked();
    criteria.nameText = toListText(c.nameEdit->text());
    criteria.useAddress = c.addressCheck->isChecked();
    criteria.addressText = toListText(c.addressEdit->text());
    criteria.useGameType = c.gameTypeCheck->isChecked();
    criteria.gameTypeText = toListText(c.gameTypeCombo->currentText());
    criteria.includePrivate = c.privateCheck->isChecked();
    return criteria;
}

void MainWindow::matched(const ServerRecord& record, ParsedFields fromLine)
{
    // The engine has ended the scan: the alerts may wait for the person.
    const Ui::MainWindow& c = *m_ui;
    c.serverList->revealLastRow();
    const AlertChoices choices{c.waveCheck->isChecked(), c.messageCheck->isChecked(),
                               c.launchCheck->isChecked()};
    if (asksForAttention(choices)) {
        QApplication::alert(this);
        m_platform.notifier().notify(fromText(texts::kServerUp),
                                     fromText(serverUpText(record, fromLine)));
    }
    if (choices.sound) {
        m_platform.sound().playSync(c.waveFileEdit->text());
    }
    if (choices.message) {
        m_platform.messageBox().show(this, c.messageEdit->text(), fromText(texts::kServerUp));
    }
    if (choices.launch) {
        launchGame(record, fromLine);
    }
}

void MainWindow::launchGame(const ServerRecord& matched, ParsedFields fromLine)
{
    const LaunchDecision decision = decideLaunch(matched, fromLine, m_pathsDialog->workingCopy());
    const auto* start = std::get_if<GameStart>(&decision);
    if (start == nullptr) {
        m_engine->gameNotStarted(whyNotStarted(decision, matched));
        return;
    }
    // The command line reads "<path> -connect <address>"; it goes to the
    // system as a program and its arguments, never through a shell, so the
    // path may hold spaces and the address stays one argument.
    if (!m_platform.launcher().start(
            fromText(start->program),
            {QStringLiteral("-connect"), fromText(start->connectAddress)})) {
        m_engine->gameNotStarted(cannotBeStarted(*start));
    }
}

} // namespace pollwick
