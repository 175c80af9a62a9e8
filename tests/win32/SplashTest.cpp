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

TEST(Splash, HandsOverOnceAtItsTickOrAtTheFirstClick)
{
    setUpWindows();
    for (const bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "a click" : "the tick");
        FakeWinPlatform platform;
        platform.store.values["Wombix Pollwick/Paths/Normal"] = "C:\\wombix.exe";
        win::ProgramWindows windows(platform, win::Scale(96));
        HWND splash = windows.splash().handle();
        EXPECT_NE(IsWindowVisible(splash), FALSE);
        EXPECT_EQ(windows.mainWindow(), nullptr);
        ManualTimer* timer = platform.timerRunningAt(1500ms);
        ASSERT_NE(timer, nullptr);
        if (byClick) {
            clickAt(splash, 100, 100);
        } else {
            timer->fire();
        }
        EXPECT_FALSE(timer->isActive());
        EXPECT_FALSE(IsWindowVisible(splash));
        EXPECT_NE(IsWindow(splash), FALSE);
        ASSERT_NE(windows.mainWindow(), nullptr);
        const HWND first = windows.mainWindow()->handle();
        EXPECT_NE(IsWindowVisible(first), FALSE);
        // A later click or tick finds the splash hidden and the main window
        // made once.
        clickAt(splash, 100, 100);
        timer->fire();
        EXPECT_EQ(windows.mainWindow()->handle(), first);
    }
}

} // namespace
} // namespace pollwick::test
