// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinTimer.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <memory>

namespace pollwick::win {
namespace {

using namespace std::chrono_literals;
using test::pumpUntil;

TEST(WinTimer, TicksOnTheMessageLoopUntilStopped)
{
    WinTimer timer;
    int ticks = 0;
    timer.onTick([&] { ++ticks; });
    EXPECT_FALSE(timer.isActive());
    timer.start(10ms);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(ticks, 0); // never from inside start()
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 2; }));

    // A tick that is already due when the timer stops is not delivered,
    // nor any later one: another timer ticks meanwhile.
    timer.stop();
    timer.start(10ms);
    ASSERT_NE(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_TIMER), WAIT_TIMEOUT);
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    const int stoppedAt = ticks;
    WinTimer marker;
    int markerTicks = 0;
    marker.onTick([&] { ++markerTicks; });
    marker.start(10ms);
    ASSERT_TRUE(pumpUntil([&] { return markerTicks >= 3; }));
    EXPECT_EQ(ticks, stoppedAt);

    // An interval below 1 ms stops it too.
    timer.start(10ms);
    timer.start(0ms);
    EXPECT_FALSE(timer.isActive());
}

// A splash may end itself, and its timer, from the timer's own tick.
TEST(WinTimer, TickMayDestroyItsTimer)
{
    auto timer = std::make_unique<WinTimer>();
    bool ticked = false;
    timer->onTick([&] {
        ticked = true;
        timer.reset();
    });
    timer->start(10ms);
    ASSERT_TRUE(pumpUntil([&] { return ticked; }));
    EXPECT_EQ(timer, nullptr);
}

} // namespace
} // namespace pollwick::win
