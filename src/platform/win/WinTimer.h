// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Timer.h"
#include "platform/win/MessageWindow.h"

namespace pollwick::win {

// A Timer on SetTimer: WM_TIMER to a message window of its own, so it ticks
// on the message loop of the thread that made it, also inside modal loops
// and while the windows are disabled. Windows' timers tick at its clock's
// steps, about 10 to 16 ms, which is all a re-query or a splash needs.
class WinTimer final : public Timer, private MessageWindow::Handler
{
public:
    WinTimer();
    ~WinTimer() override;
    WinTimer(const WinTimer&) = delete;
    WinTimer& operator=(const WinTimer&) = delete;
    WinTimer(WinTimer&&) = delete;
    WinTimer& operator=(WinTimer&&) = delete;

    void start(std::chrono::milliseconds interval) override;
    void stop() override;
    [[nodiscard]] bool isActive() const override { return m_running != 0; }

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    MessageWindow m_window;
    // The identifier of the running Windows timer, 0 when stopped. Every
    // start takes a new one, so that a WM_TIMER already queued for an
    // earlier start (KillTimer leaves those in the queue) is not taken for
    // a tick.
    UINT_PTR m_running = 0;
    UINT_PTR m_lastIdentifier = 0;
};

} // namespace pollwick::win
