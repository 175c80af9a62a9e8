// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Paths dialog's wiring: each "..." fills its box, Accept stores the
// boxes through the core's StoredGamePaths, and Accept or the close box
// gives the main window back.

#include "win32/PathsDialog.h"

#include "FakeWinPlatform.h"
#include "WinTestSupport.h"
#include "win32/MainWindow.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace pollwick::test {
namespace {

const std::string kPathsKey = "Wombix Pollwick/Paths/";

class PathsDialogTest : public ::testing::Test
{
protected:
    PathsDialogTest()
    {
        setUpWindows();
        platform.store.values[kPathsKey + "Normal"] = "C:\\Wombix\\wombix.exe";
        window = std::make_unique<win::MainWindow>(platform, win::Scale(96));
        window->show();
        click(window->control("pathsButton"));
    }

    [[nodiscard]] HWND control(std::string_view name) const
    {
        return window->pathsDialog().control(name);
    }
    [[nodiscard]] HWND dialog() const { return window->pathsDialog().handle(); }

    FakeWinPlatform platform;
    std::unique_ptr<win::MainWindow> window;
};

TEST_F(PathsDialogTest, EachBrowseButtonFillsItsOwnBoxAndACancelKeepsIt)
{
    const struct {
        std::string_view button;
        std::string_view box;
    } kRows[] = {
        {"normalButton", "normalEdit"},
        {"corvaneButton", "corvaneEdit"},
        {"ambrelButton", "ambrelEdit"},
        {"pelloryButton", "pelloryEdit"},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(std::string(row.button));
        const std::wstring chosen = L"D:\\" + win::toWide(row.box) + L"\\wombix.exe";
        platform.fileAnswers.emplace_back(chosen);
        click(control(row.button));
        EXPECT_EQ(win::windowText(control(row.box)), chosen);
        click(control(row.button)); // cancelled
        EXPECT_EQ(win::windowText(control(row.box)), chosen);
        EXPECT_EQ(platform.events.back(), "open Wombix File|wombix.exe|" + win::toUtf8(chosen));
    }
}

TEST_F(PathsDialogTest, AcceptStoresTheBoxesAndGivesTheMainWindowBack)
{
    typeText(control("pelloryEdit"), L"E:\\Wombix x\\wombix.exe");
    click(control("acceptButton"));
    EXPECT_EQ(platform.store.values[kPathsKey + "Normal"], "C:\\Wombix\\wombix.exe");
    EXPECT_EQ(platform.store.values[kPathsKey + "Pellory"], "E:\\Wombix x\\wombix.exe");
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_NE(IsWindowEnabled(window->handle()), FALSE);
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(PathsDialogTest, PathsTheStoreCannotKeepStayInUseAndTheMessageSaysSo)
{
    platform.store.failing = true;
    typeText(control("ambrelEdit"), L"E:\\Wombix 1.24\\wombix.exe");
    click(control("acceptButton"));
    ASSERT_EQ(platform.events.size(), 1U);
    EXPECT_EQ(platform.events[0].rfind("message ", 0), 0U);
    EXPECT_NE(platform.events[0].find("|Wombix Pollwick"), std::string::npos);
    EXPECT_NE(IsWindowEnabled(window->handle()), FALSE);

    // Opened again, the dialog still holds them: a reload does not lose them.
    click(window->control("pathsButton"));
    EXPECT_EQ(win::windowText(control("ambrelEdit")), L"E:\\Wombix 1.24\\wombix.exe");
}

TEST_F(PathsDialogTest, TheCloseBoxHidesItGivesTheMainWindowBackAndKeepsTheBoxes)
{
    typeText(control("corvaneEdit"), L"typed");
    SendMessageW(dialog(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_NE(IsWindow(dialog()), FALSE);
    EXPECT_NE(IsWindowEnabled(window->handle()), FALSE);
    EXPECT_EQ(win::windowText(control("corvaneEdit")), L"typed");
    EXPECT_FALSE(platform.ended);
}

} // namespace
} // namespace pollwick::test
