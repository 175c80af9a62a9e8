// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The splash window: a 250 x 250 picture that hands over to the main
// window after its timer or at the first click, making the main window (and
// so running its load) the first time only.
#include "FakePlatform.h"
#include "window/MainWindow.h"
#include "window/ProgramWindows.h"
#include "window/SplashScreen.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace pollwick::test {
namespace {

class SplashTest : public ::testing::Test
{
public:
    SplashTest() { splash.show(); }

    void tick() const { timer().fire(); }
    [[nodiscard]] ManualTimer& timer() const { return platform.timer(TimerRole::HandOver); }

    FakePlatform platform;
    ProgramWindows windows{platform};
    SplashScreen& splash = windows.splash();
};

// (Its size and picture are rows of the layout test.)
TEST_F(SplashTest, HasAFrameButNoTitleBarAndWaitsForAClickOrItsTimer)
{
    EXPECT_EQ(splash.windowFlags() & ~Qt::WindowType_Mask, Qt::CustomizeWindowHint);
    EXPECT_EQ(splash.windowType(), Qt::Window);
    // A press and a release of two buttons is no click.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    QTest::mousePress(splash.windowHandle(), Qt::LeftButton, {}, QPoint(125, 125));
    QTest::mouseRelease(splash.windowHandle(), Qt::RightButton, {}, QPoint(125, 125));
    EXPECT_TRUE(timer().isActive());
    EXPECT_EQ(timer().interval(), std::chrono::milliseconds(1500));
    EXPECT_EQ(windows.mainWindow(), nullptr); // nothing of the main window yet
}

// The tick, or a click of any mouse button on the picture, hands over once:
// the timer stops, and a later tick does nothing.
class SplashHandOverTest : public SplashTest, public ::testing::WithParamInterface<Qt::MouseButton>
{ };

TEST_P(SplashHandOverTest, HandsOverOnceAndStopsTheTimer)
{
    if (GetParam() == Qt::NoButton) {
        tick();
    } else {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
        // Through the window, as the user's click arrives: the picture lets
        // it through to the splash.
        QTest::mouseClick(splash.windowHandle(), GetParam(), {}, QPoint(125, 125));
    }
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(timer().isActive());
    MainWindow* mainWindow = windows.mainWindow();
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(mainWindow->isVisible());
    ManualTimer& startupCheck = platform.timer(TimerRole::StartupCheck);
    EXPECT_TRUE(startupCheck.isActive()); // its load ran

    // A second hand-over shows the same window without loading it again,
    // which would arm the answered start-up check once more.
    startupCheck.fire();
    mainWindow->hide();
    splash.handOver();
    EXPECT_EQ(windows.mainWindow(), mainWindow);
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_FALSE(startupCheck.isActive());
}

INSTANTIATE_TEST_SUITE_P(TickOrButtons, SplashHandOverTest,
                         ::testing::Values(Qt::NoButton, Qt::LeftButton, Qt::RightButton,
                                           Qt::MiddleButton));

} // namespace
} // namespace pollwick::test
