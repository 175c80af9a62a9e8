// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinTimer.h"

#include <algorithm>

namespace pollwick::win {

WinTimer::WinTimer()
    : m_window(*this)
{ }

WinTimer::~WinTimer()
{
    stop();
}

void WinTimer::start(std::chrono::milliseconds interval)
{
    stop();
    if (interval < std::chrono::milliseconds(1) || m_window.handle() == nullptr) {
        return;
    }
    const auto milliseconds = static_cast<UINT>(
        std::min<std::chrono::milliseconds::rep>(interval.count(), USER_TIMER_MAXIMUM));
    // Identifiers go round, skipping 0, which stands for "stopped".
    m_lastIdentifier = m_lastIdentifier == UINT_PTR{UINT_MAX} ? 1 : m_lastIdentifier + 1;
    if (SetTimer(m_window.handle(), m_lastIdentifier, milliseconds, nullptr) != 0) {
        m_running = m_lastIdentifier;
    }
}

void WinTimer::stop()
{
    if (m_running != 0) {
        KillTimer(m_window.handle(), m_running);
        m_running = 0;
    }
}

std::optional<LRESULT> WinTimer::handleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message != WM_TIMER) {
        return std::nullopt;
    }
    if (m_running != 0 && wParam == m_running) {
        // The last thing done here: the handler may stop, restart or even
        // destroy this timer.
        tick();
    }
    return 0;
}

} // namespace pollwick::win
