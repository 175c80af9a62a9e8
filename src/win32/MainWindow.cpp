// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/MainWindow.h"

#include "core/Texts.h"
#include "core/Timer.h"
#include "core/layout/WindowLayout.h"
#include "core/match/MatchAlerts.h"
#include "core/scan/ListConnection.h"
#include "core/settings/GamePaths.h"
#include "platform/win/WinPlatform.h"
#include "win32/LayoutControls.h"
#include "win32/PathsDialog.h"
#include "win32/Resources.h"
#include "win32/ServerList.h"
#include "win32/WideText.h"
#include "win32/WindowClass.h"

#include <algorithm>
#include <chrono>
#include <variant>

namespace pollwick::win {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kClassName = L"PollwickMainWindow";
// A fixed frame with the control menu and the minimize button. Not
// WS_CLIPCHILDREN: a group box paints only its border and title, and the
// window's own background must show inside it.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

constexpr auto kServerChoiceInterval = 100ms;
constexpr auto kStartupCheckDelay = 500ms;
// Telling the list view of new rows costs it a fixed time (under Wine some
// 10 to 30 ms, whatever the count), so a long answer, which comes in many
// pieces, is shown as it arrives at most this often, and whole at its end.
constexpr auto kRowsShownEvery = 50ms;

// The widths were drawn for a narrower dialog font than Windows uses today
// (Segoe UI 9 pt): a check box whose caption would be cut off takes the
// free room to its right, up to here (twips from its frame's left edge):
// the field of its row, less 60 twips, or the frame's inner edge.
struct CaptionRoom {
    std::string_view box;
    int rightTwips;
};
constexpr CaptionRoom kCaptionRoom[] = {
    {"messageCheck", 1860}, {"waveCheck", 1860},    {"versionCheck", 1860},
    {"nameCheck", 1860},    {"addressCheck", 1860}, {"gameTypeCheck", 1860},
    {"launchCheck", 3975},  {"privateCheck", 3975}, {"showListCheck", 1575},
};

// The width a check box needs for its box and its whole caption.
int neededWidth(HWND box)
{
    const std::wstring caption = windowText(box);
    HDC context = GetDC(box);
    auto* font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(context, font);
    SIZE text{};
    GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &text);
    SelectObject(context, old);
    ReleaseDC(box, context);
    constexpr int kGap = 6; // between the box and the caption, and after it
    return GetSystemMetrics(SM_CXMENUCHECK) + kGap + text.cx + kGap;
}

void fitCaption(HWND window, HWND box, int rightPixels)
{
    RECT place{};
    GetWindowRect(box, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    const int width = static_cast<int>(place.right - place.left);
    const int wanted = neededWidth(box);
    if (wanted <= width) {
        return;
    }
    const int room = rightPixels - static_cast<int>(place.left);
    const int widened = std::max(width, std::min(wanted, room));
    SetWindowPos(box, nullptr, 0, 0, widened, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The check boxes that switch a field of their own.
constexpr std::string_view kSwitchingBoxes[] = {"messageCheck", "waveCheck",    "versionCheck",
                                                "nameCheck",    "addressCheck", "gameTypeCheck"};

} // namespace

struct MainWindow::ClickHandler {
    std::string_view control;
    void (MainWindow::*handler)();
};

// Which control drives which handler, for every button and check box that
// does something when clicked.
const MainWindow::ClickHandler MainWindow::kClickHandlers[] = {
    {"goButton", &MainWindow::startScan},
    {"stopButton", &MainWindow::stopScan},
    {"messageCheck", &MainWindow::followTickedBoxes},
    {"waveCheck", &MainWindow::followTickedBoxes},
    {"versionCheck", &MainWindow::followTickedBoxes},
    {"nameCheck", &MainWindow::followTickedBoxes},
    {"addressCheck", &MainWindow::followTickedBoxes},
    {"gameTypeCheck", &MainWindow::followTickedBoxes},
    {"waveFileButton", &MainWindow::chooseWaveFile},
    {"showListCheck", &MainWindow::applyListWidth},
    {"pathsButton", &MainWindow::openPathsDialog},
};

void MainWindow::connectTimers()
{
    m_serverChoiceTimer->onTick([this] { checkServerChoice(); });
    m_startupCheckTimer->onTick([this] { checkGamePaths(); });
    m_rowsTimer->onTick([this] { showListedRows(); });
    // The re-query timer is the engine's: it ticks the engine itself.
}

MainWindow::MainWindow(Platform& platform, const Scale& scale)
    : m_platform(platform)
    , m_scale(scale)
    , m_fonts(scale)
    , m_connection(platform.createConnection())
    , m_requeryTimer(platform.createTimer())
    , m_serverChoiceTimer(platform.createTimer())
    , m_startupCheckTimer(platform.createTimer())
    , m_rowsTimer(platform.createTimer())
    , m_engine(*m_connection, *m_requeryTimer, platform.clock(), *this)
{
    registerWindowClass(kClassName, &MainWindow::windowProcedure, POLLWICK_ICON,
                        GetSysColorBrush(COLOR_BTNFACE));
    const layout::Window& layout = layout::kMainWindow;
    const SIZE size = outerSize(kStyle, kExStyle, scale.pixels(layout::kNarrowClientWidth),
                                scale.pixels(layout.clientHeight));
    const POINT at = centredOnScreen(size);
    const std::wstring caption = toWide(layout.caption);
    CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, at.x, at.y, size.cx, size.cy,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
    m_controls = std::make_unique<LayoutControls>(m_window, layout, scale, m_fonts);

    // The status line is cut at its edge, and its tool tip holds the whole
    // line; it takes the mouse so that the tip can show.
    HWND status = control("statusLabel");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(status, GWL_STYLE));
    SetWindowLongPtrW(status, GWL_STYLE,
                      static_cast<LONG_PTR>((style & ~DWORD{SS_TYPEMASK}) | SS_LEFTNOWORDWRAP |
                                            SS_ENDELLIPSIS | SS_NOTIFY));
    for (const CaptionRoom& room : kCaptionRoom) {
        const layout::Control* box = layout::find(layout, room.box);
        const layout::Control* frame = layout::find(layout, box->frame);
        fitCaption(m_window, control(room.box), scale.pixels(frame->left + room.rightTwips));
    }
    m_list = std::make_unique<ServerList>(control("serverList"));
    // The list takes the focus only while the window shows it.
    m_controls->setTabStop("serverList", false);

    connectTimers();
    load();
}

MainWindow::~MainWindow()
{
    // The dialog belongs to the window: it goes first.
    m_paths.reset();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void MainWindow::load()
{
    m_paths = std::make_unique<PathsDialog>(m_platform, m_window, m_scale, m_fonts);
    m_paths->reload();
    m_startupCheckTimer->start(kStartupCheckDelay);
    m_list->setUpColumns(m_scale);
    showState(m_engine.state());
    showStatus();
    m_serverChoiceTimer->start(kServerChoiceInterval);
}

void MainWindow::show() const
{
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
}

HWND MainWindow::control(std::string_view name) const
{
    return (*m_controls)[name];
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    return dispatchToOwner(window, message, wParam, lParam, &MainWindow::m_window,
                           &MainWindow::handleMessage);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            // A control tells of a change (a box ticked, a character typed,
            // an entry chosen): the criteria are read again when next asked.
            m_criteria.reset();
        }
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            clicked(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (m_list && header->hwndFrom == m_list->handle() && header->code == LVN_GETDISPINFOW) {
            m_list->fillCell(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return 0;
        }
        break;
    }
    case WM_ACTIVATE:
        keepFocus(m_window, m_lastFocus, wParam);
        return 0;
    case WM_CLOSE:
        // Closing is never cancelled: it ends the program, a scan and all.
        m_platform.endProcess();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void MainWindow::clicked(int controlId)
{
    const layout::Control* control = m_controls->byId(controlId);
    if (control == nullptr) {
        return;
    }
    for (const ClickHandler& entry : kClickHandlers) {
        if (entry.control == control->name) {
            (this->*entry.handler)();
            return;
        }
    }
}

void MainWindow::checkServerChoice()
{
    if (m_engine.state() == ScanState::AwaitingServer) {
        m_engine.chooseServer(toUtf8(text("hostCombo")));
    }
    // Once chosen, the choice stays: the poll is done for good.
    if (m_engine.state() != ScanState::AwaitingServer) {
        m_serverChoiceTimer->stop();
    }
}

void MainWindow::startScan()
{
    m_engine.start(toUtf8(text("hostCombo")));
}

void MainWindow::stopScan()
{
    m_engine.stop();
}

void MainWindow::followTickedBoxes()
{
    showState(m_engine.state());
}

void MainWindow::chooseWaveFile()
{
    const std::optional<std::wstring> chosen =
        m_platform.fileDialog().openFile(m_window, texts::kWaveFiles, m_lastWaveFile);
    if (!chosen) {
        return;
    }
    m_lastWaveFile = *chosen;
    setWindowText(control("waveFileEdit"), *chosen);
}

void MainWindow::applyListWidth()
{
    const bool wide = ticked("showListCheck");
    const SIZE size =
        outerSize(kStyle, kExStyle,
                  m_scale.pixels(wide ? layout::kWideClientWidth : layout::kNarrowClientWidth),
                  m_scale.pixels(layout::kMainWindow.clientHeight));
    SetWindowPos(m_window, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Tab must not lose the focus in a control beyond the narrow window's
    // edge.
    m_controls->setTabStop("serverList", wide);
}

void MainWindow::openPathsDialog()
{
    m_paths->show();
    m_paths->reload();
    EnableWindow(m_window, FALSE);
}

void MainWindow::checkGamePaths()
{
    m_startupCheckTimer->stop();
    // A store that could not be read is told first: the paths then read as
    // none.
    const std::string unreadable = m_paths->unreadableMessage();
    if (!unreadable.empty()) {
        m_platform.messageBox().show(m_window, toWide(unreadable), toWide(texts::kProgramTitle));
    }
    if (!noGamePathSet(m_paths->workingCopy())) {
        return;
    }
    m_platform.messageBox().show(m_window, toWide(texts::kNoGamePaths),
                                 toWide(texts::kProgramTitle));
    m_paths->show();
    EnableWindow(m_window, FALSE);
}

void MainWindow::showState(ScanState state)
{
    TickedBoxes boxes;
    boxes.message = ticked("messageCheck");
    boxes.wave = ticked("waveCheck");
    boxes.version = ticked("versionCheck");
    boxes.name = ticked("nameCheck");
    boxes.address = ticked("addressCheck");
    boxes.gameType = ticked("gameTypeCheck");
    const UsableControls usable = usableControls(state, boxes);

    LayoutControls& c = *m_controls;
    c.setEnabled("hostCombo", usable.host);
    c.setEnabled("criteriaGroup", usable.criteriaFrame);
    c.setEnabled("alertsGroup", usable.alertsFrame);
    for (const std::string_view box : kSwitchingBoxes) {
        c.setEnabled(box, usable.boxes);
    }
    c.setEnabled("launchCheck", usable.boxes);
    c.setEnabled("privateCheck", usable.boxes);
    c.setEnabled("messageEdit", usable.messageText);
    c.setEnabled("waveFileEdit", usable.waveFile);
    c.setEnabled("waveFileButton", usable.waveFile);
    c.setEnabled("versionCombo", usable.versionField);
    c.setEnabled("nameEdit", usable.nameField);
    c.setEnabled("addressEdit", usable.addressField);
    c.setEnabled("gameTypeCombo", usable.gameTypeField);
    c.setEnabled("goButton", usable.go);
    c.setEnabled("stopButton", usable.stop);
}

void MainWindow::showStatus()
{
    const std::wstring line = toWide(m_engine.statusText());
    setWindowText(control("statusLabel"), line);
    m_controls->setToolTip("statusLabel", line);
}

void MainWindow::stateChanged(ScanState state)
{
    m_criteria.reset();
    showState(state);
}

void MainWindow::statusChanged()
{
    showStatus();
}

void MainWindow::responseStarted()
{
    m_criteria.reset();
    m_list->removeAllRows();
    if (!m_rowsTimer->isActive()) {
        m_rowsTimer->start(kRowsShownEvery);
    }
}

void MainWindow::recordListed(const ServerRecord& record)
{
    m_list->addRow(record);
}

void MainWindow::pieceWalked()
{
    if (!m_rowsTimer->isActive()) {
        m_rowsTimer->start(kRowsShownEvery);
    }
}

void MainWindow::listEnded(const QueryReport& /*report*/)
{
    showListedRows();
}

void MainWindow::showListedRows()
{
    m_rowsTimer->stop();
    m_list->commitRows();
}

void MainWindow::matched(const ServerRecord& record, ParsedFields fromLine)
{
    // The scan has ended: nothing arrives while the alerts below wait.
    const ServerRecord server = record;
    showListedRows();
    m_list->revealLastRow();

    const AlertChoices alerts{ticked("waveCheck"), ticked("messageCheck"), ticked("launchCheck")};
    // The window may be hidden behind a full-screen game: the task bar and
    // the notification reach the person before the sound, which waits.
    if (asksForAttention(alerts)) {
        m_platform.attention().serverUp(m_window, toWide(texts::kServerUp),
                                        toWide(serverUpText(server, fromLine)));
    }
    if (alerts.sound) {
        m_platform.sound().playSync(text("waveFileEdit"));
    }
    if (alerts.message) {
        m_platform.messageBox().show(m_window, text("messageEdit"), toWide(texts::kServerUp));
    }
    if (alerts.launch) {
        launchGame(server, fromLine);
    }
}

void MainWindow::launchGame(const ServerRecord& matched, ParsedFields fromLine)
{
    const LaunchDecision decision = decideLaunch(matched, fromLine, m_paths->workingCopy());
    const auto* start = std::get_if<GameStart>(&decision);
    if (start == nullptr) {
        m_engine.gameNotStarted(whyNotStarted(decision, matched));
        return;
    }
    if (!m_platform.launcher().start(toWide(start->program), toWide(start->connectAddress))) {
        m_engine.gameNotStarted(cannotBeStarted(*start));
    }
}

std::optional<MatchCriteria> MainWindow::currentCriteria()
{
    // The engine asks for every record. The controls are read again only
    // after one of them told of a change (WM_COMMAND), and at each new
    // answer: under Wine, reading the nine of them costs half a millisecond,
    // which made a list of 32,767 servers take seconds when read for every
    // record, and a quarter of its time when read for each piece of it.
    if (!m_criteria) {
        m_criteria = readCriteria();
    }
    return m_criteria;
}

MatchCriteria MainWindow::readCriteria() const
{
    MatchCriteria criteria;
    criteria.useVersion = ticked("versionCheck");
    criteria.versionText = listBytes(text("versionCombo"));
    criteria.useName = ticked("nameCheck");
    criteria.nameText = listBytes(text("nameEdit"));
    criteria.useAddress = ticked("addressCheck");
    criteria.addressText = listBytes(text("addressEdit"));
    criteria.useGameType = ticked("gameTypeCheck");
    criteria.gameTypeText = listBytes(text("gameTypeCombo"));
    criteria.includePrivate = ticked("privateCheck");
    return criteria;
}

bool MainWindow::ticked(std::string_view checkBox) const
{
    return isTicked(control(checkBox));
}

std::wstring MainWindow::text(std::string_view control) const
{
    return windowText(this->control(control));
}

} // namespace pollwick::win
