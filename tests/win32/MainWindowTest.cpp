// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's wiring, one check per control: each control reaches the
// engine or its handler, and the window shows what the engine reports. The
// rules themselves (the states, the words, the match) are the engine's and
// are tested with it.

#include "win32/MainWindow.h"

#include "FakeWinPlatform.h"
#include "WinTestSupport.h"
#include "core/Texts.h"
#include "core/layout/WindowLayout.h"
#include "win32/LayoutControls.h"
#include "win32/PathsDialog.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <commctrl.h>
#include <string>
#include <string_view>
#include <windows.h>

namespace pollwick::test {
namespace {

using namespace std::chrono_literals;
using win::toWide;

const std::string kPathsKey = "Wombix Pollwick/Paths/";

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
    {
        setUpWindows();
        // A stored path: no start-up warning unless a test asks for it.
        platform.store.values[kPathsKey + "Ambrel"] = "C:\\Wombix 1.24\\wombix.exe";
        window = std::make_unique<win::MainWindow>(platform, win::Scale(96));
        window->show();
    }

    [[nodiscard]] HWND control(std::string_view name) const { return window->control(name); }

    // A list server chosen.
    void chooseServer()
    {
        typeText(control("hostCombo"), L"127.0.0.1");
        platform.timerRunningAt(100ms)->fire();
    }
    // The list server's answer to the query now open, whole.
    void answer(std::string_view lines) const
    {
        platform.connection()->connect();
        platform.connection()->send(lines);
        platform.connection()->end(ConnectionEnd::Closed);
    }

    FakeWinPlatform platform;
    std::unique_ptr<win::MainWindow> window;
};

// Three servers; the second is found by a name criterion of "Arena".
constexpr std::string_view kThreeServers = "192.0.2.1:10057 battle 1.21   [2/16] Quiet Hall\r\n"
                                           "192.0.2.2:10057 ctf 1.24   [3/16] Spring Arena\r\n"
                                           "192.0.2.3:10057 treasure 1.24 x [1/8] Late Track\r\n";

TEST_F(MainWindowTest, TheHostIsPolledUntilChosenGoAsksItAndStopEndsTheScan)
{
    ManualTimer* poll = platform.timerRunningAt(100ms);
    ASSERT_NE(poll, nullptr);
    poll->fire();
    EXPECT_FALSE(isUsable(control("goButton")));
    EXPECT_TRUE(poll->isActive());
    typeText(control("hostCombo"), L"list.example");
    poll->fire();
    EXPECT_FALSE(poll->isActive());

    click(control("goButton"));
    ASSERT_FALSE(platform.connection()->calls.empty());
    EXPECT_EQ(platform.connection()->calls.back(), "open list.example:10057");
    EXPECT_FALSE(isUsable(control("hostCombo")));
    EXPECT_FALSE(isUsable(control("versionCheck")));

    click(control("stopButton"));
    EXPECT_TRUE(isUsable(control("goButton")));
    EXPECT_FALSE(isUsable(control("stopButton")));
}

TEST_F(MainWindowTest, EachBoxSwitchesItsFields)
{
    chooseServer();
    const struct {
        std::string_view box;
        std::string_view field;
    } kBoxes[] = {
        {"versionCheck", "versionCombo"}, {"nameCheck", "nameEdit"},
        {"addressCheck", "addressEdit"},  {"gameTypeCheck", "gameTypeCombo"},
        {"messageCheck", "messageEdit"},  {"waveCheck", "waveFileEdit"},
        {"waveCheck", "waveFileButton"},
    };
    for (const auto& row : kBoxes) {
        SCOPED_TRACE(std::string(row.field));
        EXPECT_FALSE(isUsable(control(row.field)));
        click(control(row.box));
        EXPECT_TRUE(isUsable(control(row.field)));
        click(control(row.box));
        EXPECT_FALSE(isUsable(control(row.field)));
    }
}

TEST_F(MainWindowTest, TheListShowsEachAnswerAsTheListServerSentIt)
{
    // A name that no server has: every line is listed.
    chooseServer();
    click(control("nameCheck"));
    typeText(control("nameEdit"), L"no such server");
    click(control("goButton"));
    // A name with a control character and a byte of Windows-1252, and one
    // longer than a cell.
    const std::string longName(300, 'n');
    answer("192.0.2.1:10057 battle 1.21   [2/16] Caf\xe9\x01Hall\r\n"
           "192.0.2.2:10057 ctf 1.24   [3/16] " +
           longName + "\r\n");
    HWND list = control("serverList");
    ASSERT_EQ(listRows(list), 2);
    EXPECT_EQ(listCell(list, 0, 0), L"Caf\u00e9\u2401Hall");
    EXPECT_EQ(listCell(list, 0, 1), L"Battle");
    EXPECT_EQ(listCell(list, 0, 2), L"1.21");
    EXPECT_EQ(listCell(list, 0, 3), L"2/16");
    EXPECT_EQ(listCell(list, 0, 4), L"   192.0.2.1");
    EXPECT_EQ(listCell(list, 1, 0), std::wstring(kCellCharacters - 1, L'n') + L"\u2026");

    // The next query's answer replaces the rows, and they show as they
    // arrive, before the answer ends.
    platform.timerRunningAt(5000ms)->fire();
    platform.connection()->connect();
    platform.connection()->send("192.0.2.9:10057 coop 1.24   [1/4] Alone\r\n");
    ASSERT_NE(platform.timerRunningAt(50ms), nullptr);
    platform.timerRunningAt(50ms)->fire();
    ASSERT_EQ(listRows(list), 1);
    EXPECT_EQ(listCell(list, 0, 0), L"Alone");
}

TEST_F(MainWindowTest, EachCriterionIsReadFromItsControlsWhenTheEngineAsks)
{
    // Each row ticks one criterion whose text only the third server meets;
    // a scan ends at a match, and only that server's row is listed last.
    const struct {
        std::string_view box;
        std::string_view field;
        std::wstring text;
    } kCriteria[] = {
        {"versionCheck", "versionCombo", L"1.24 x"},
        {"nameCheck", "nameEdit", L"track"},
        {"addressCheck", "addressEdit", L"192.0.2.3"},
        {"gameTypeCheck", "gameTypeCombo", L"treas"},
    };
    chooseServer();
    for (const auto& row : kCriteria) {
        SCOPED_TRACE(std::string(row.box));
        click(control(row.box));
        typeText(control(row.field), row.text);
        click(control("goButton"));
        answer(kThreeServers);
        EXPECT_EQ(window->engine().state(), ScanState::Ready);
        EXPECT_EQ(listRows(control("serverList")), 3);
        click(control(row.box));
    }

    // Private servers pass over unless included.
    const std::string_view privateServer = "192.0.2.4:10057 private battle 1.24   [1/8] Den\r\n";
    click(control("goButton"));
    answer(privateServer);
    EXPECT_EQ(window->engine().state(), ScanState::Scanning);
    click(control("stopButton"));
    click(control("privateCheck"));
    click(control("goButton"));
    answer(privateServer);
    EXPECT_EQ(window->engine().state(), ScanState::Ready);
    // No alert was ticked: a match only tells the status line.
    EXPECT_TRUE(platform.events.empty());

    // A criterion changed between two pieces of one answer holds from the
    // next record on.
    click(control("nameCheck"));
    typeText(control("nameEdit"), L"Quiet");
    click(control("goButton"));
    platform.connection()->connect();
    platform.connection()->send("192.0.2.5:10057 ctf 1.24   [1/8] Loud Yard\r\n");
    typeText(control("nameEdit"), L"Loud");
    EXPECT_EQ(window->engine().state(), ScanState::Scanning);
    platform.connection()->send("192.0.2.6:10057 ctf 1.24   [1/8] Loud Bay\r\n");
    EXPECT_EQ(window->engine().state(), ScanState::Ready);
}

TEST_F(MainWindowTest, AMatchRevealsItsRowThenRunsTheTickedAlertsInOrder)
{
    chooseServer();
    click(control("nameCheck"));
    typeText(control("nameEdit"), L"Arena");
    click(control("waveCheck"));
    typeText(control("waveFileEdit"), L"C:\\sounds\\up.wav");
    click(control("messageCheck"));
    typeText(control("messageEdit"), L"Go play");
    click(control("launchCheck"));
    click(control("goButton"));
    answer(kThreeServers);

    HWND list = control("serverList");
    ASSERT_EQ(listRows(list), 2);
    EXPECT_EQ(ListView_GetItemState(list, 1, LVIS_SELECTED), UINT{LVIS_SELECTED});
    ASSERT_EQ(platform.events.size(), 4U);
    EXPECT_EQ(platform.events[0].rfind("attention Server Up|Spring Arena", 0), 0U)
        << platform.events[0];
    EXPECT_EQ(platform.events[1], "sound C:\\sounds\\up.wav");
    EXPECT_EQ(platform.events[2], "message Go play|Server Up");
    EXPECT_EQ(platform.events[3], "launch C:\\Wombix 1.24\\wombix.exe 192.0.2.2");
}

// The status line shows the engine's words, whole in its tool tip.
TEST_F(MainWindowTest, AGameThatDoesNotStartIsToldOnTheStatusLine)
{
    const struct {
        std::string_view answer;
        bool launchSucceeds;
    } kCases[] = {
        // 1.21: no path is set for it.
        {"192.0.2.1:10057 battle 1.21   [2/16] Quiet Hall\r\n", true},
        // 1.24: its path is set, and the system cannot start it.
        {"192.0.2.2:10057 ctf 1.24   [3/16] Spring Arena\r\n", false},
    };
    chooseServer();
    click(control("launchCheck"));
    for (const auto& row : kCases) {
        platform.launchSucceeds = row.launchSucceeds;
        click(control("goButton"));
        answer(row.answer);
        HWND status = control("statusLabel");
        const std::wstring shown = win::windowText(status);
        EXPECT_EQ(shown, toWide(window->engine().statusText()));
        EXPECT_NE(shown.find(L"ame not started"), std::wstring::npos) << win::toUtf8(shown);
        EXPECT_EQ(toolTipText(window->controls().toolTip(), window->handle(),
                              reinterpret_cast<UINT_PTR>(status)),
                  shown);
    }
}

TEST_F(MainWindowTest, TheWaveFileButtonFillsTheBoxAndACancelKeepsIt)
{
    chooseServer();
    click(control("waveCheck"));
    platform.fileAnswers.emplace_back(L"C:\\sounds\\up.wav");
    click(control("waveFileButton"));
    EXPECT_EQ(win::windowText(control("waveFileEdit")), L"C:\\sounds\\up.wav");
    click(control("waveFileButton"));
    EXPECT_EQ(win::windowText(control("waveFileEdit")), L"C:\\sounds\\up.wav");
    ASSERT_EQ(platform.events.size(), 2U);
    EXPECT_EQ(platform.events[0], "open Wave Files|*.wav|");
    EXPECT_EQ(platform.events[1], "open Wave Files|*.wav|C:\\sounds\\up.wav");
}

TEST_F(MainWindowTest, ShowListWidensTheWindowAndNarrowsItAgain)
{
    HWND main = window->handle();
    EXPECT_EQ(clientSize(main).cx, 288);
    click(control("showListCheck"));
    EXPECT_EQ(clientSize(main).cx, 655);
    EXPECT_EQ(clientSize(main).cy, 419);
    EXPECT_NE(GetWindowLongPtrW(control("serverList"), GWL_STYLE) & WS_TABSTOP, 0);
    click(control("showListCheck"));
    EXPECT_EQ(clientSize(main).cx, 288);
    EXPECT_EQ(GetWindowLongPtrW(control("serverList"), GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(MainWindowTest, WombixPathsOpensTheDialogWithTheStoredPaths)
{
    win::PathsDialog& paths = window->pathsDialog();
    typeText(paths.control("ambrelEdit"), L"typed but not accepted");
    click(control("pathsButton"));
    EXPECT_NE(IsWindowVisible(paths.handle()), FALSE);
    EXPECT_FALSE(IsWindowEnabled(window->handle()));
    EXPECT_EQ(win::windowText(paths.control("ambrelEdit")), L"C:\\Wombix 1.24\\wombix.exe");
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgram)
{
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(platform.ended);
}

// Half a second after the start: a store that could not be read is told
// first; with no game path stored, the person is asked for them, once.
TEST(StartupCheck, AsksForThePathsWhenNoneIsStored)
{
    setUpWindows();
    const struct {
        const char* storedPath;
        std::string trouble;
        bool asked;
    } kCases[] = {
        {nullptr, "", true},
        {" ", "", false},
        {nullptr, "the file is larger than any settings file", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.trouble);
        FakeWinPlatform platform;
        if (c.storedPath != nullptr) {
            platform.store.values[kPathsKey + "Pellory"] = c.storedPath;
        }
        platform.store.troubleText = c.trouble;
        win::MainWindow window(platform, win::Scale(96));
        ManualTimer* check = platform.timerRunningAt(500ms);
        ASSERT_NE(check, nullptr);
        check->fire();
        EXPECT_FALSE(check->isActive());
        ASSERT_EQ(platform.events.size(), (c.trouble.empty() ? 0U : 1U) + (c.asked ? 1U : 0U));
        if (!c.trouble.empty()) {
            EXPECT_NE(platform.events.front().find(c.trouble), std::string::npos);
        }
        if (c.asked) {
            EXPECT_EQ(platform.events.back(),
                      "message " + std::string(texts::kNoGamePaths) + "|Wombix Pollwick");
        }
        EXPECT_EQ(IsWindowVisible(window.pathsDialog().handle()) != FALSE, c.asked);
        EXPECT_EQ(IsWindowEnabled(window.handle()) != FALSE, !c.asked);
    }
}

} // namespace
} // namespace pollwick::test
