// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <windows.h>

// The test's own message loop, for waiting on real events (sockets, timers,
// processes) with a generous time limit instead of a fixed sleep.
namespace pollwick::test {

// How many messages pumpUntil() has dispatched, so that a test can tell
// whether two reports came from one message or from two.
inline std::size_t& dispatchedMessages()
{
    static std::size_t count = 0;
    return count;
}

// Dispatches this thread's messages until `done` holds; false when it did
// not within `limit`.
inline bool pumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    MSG message{};
    while (!done()) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            ++dispatchedMessages();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return done();
        }
        // Files and processes signal no message: look again now and then.
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<long long>(left, 20)), QS_ALLINPUT);
    }
    return true;
}

} // namespace pollwick::test
