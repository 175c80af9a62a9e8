// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The splash hands over to the main window, once: at its timer's tick or at
// the first click, whichever comes first.

#include "FakeWinPlatform.h"
#include "WinTestSupport.h"
#include "win32/MainWindow.h"
#include "win32/ProgramWindows.h"
#include "win32/SplashWindow.h"

#include <gtest/gtest.h>

#include <chrono>

namespace pollwick::test {
namespace {

using namespace std::chrono_literals;

class SplashTest : public ::testing::Test
{
protected:
    SplashTest()
    {
        setUpWindows();
        platform.store.values["Wombix Pollwick/Paths/Normal"] = "C:\\wombix.exe";
    }
    FakeWinPlatform platform;
};

TEST_F(SplashTest, ItHandsOverWhenItsTimeIsUp)
{
    win::ProgramWindows windows(platform, win::Scale(96));
    HWND splash = windows.splash().handle();
    EXPECT_NE(IsWindowVisible(splash), FALSE);
    EXPECT_EQ(windows.mainWindow(), nullptr);

    TestTimer* timer = platform.timerRunningAt(1500ms);
    ASSERT_NE(timer, nullptr);
    timer->fire();
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(IsWindowVisible(splash));
    EXPECT_NE(IsWindow(splash), FALSE);
    ASSERT_NE(windows.mainWindow(), nullptr);
    EXPECT_NE(IsWindowVisible(windows.mainWindow()->handle()), FALSE);
}

TEST_F(SplashTest, AClickHandsOverAtOnceAndTheTickThatWasDueNeverComes)
{
    win::ProgramWindows windows(platform, win::Scale(96));
    TestTimer* timer = platform.timerRunningAt(1500ms);
    ASSERT_NE(timer, nullptr);
    clickAt(windows.splash().handle(), 100, 100);
    ASSERT_NE(windows.mainWindow(), nullptr);
    const HWND first = windows.mainWindow()->handle();
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(IsWindowVisible(windows.splash().handle()));
    // A second click finds the splash hidden and the main window made once.
    clickAt(windows.splash().handle(), 100, 100);
    EXPECT_EQ(windows.mainWindow()->handle(), first);
}

} // namespace
} // namespace pollwick::test
