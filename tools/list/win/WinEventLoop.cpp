// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/win/WinEventLoop.h"

#include "platform/win/WinListConnection.h"
#include "platform/win/WinTimer.h"

#include <windows.h>

namespace pollwick::listtool {

std::unique_ptr<ListConnection> WinEventLoop::createConnection()
{
    return win::createListConnection();
}

std::unique_ptr<Timer> WinEventLoop::createTimer()
{
    return std::make_unique<win::WinTimer>();
}

void WinEventLoop::run()
{
    // A quit that came before the loop ran (a connection that failed at
    // once) ends it before it waits.
    MSG message{};
    while (!m_quit && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    m_quit = false;
}

void WinEventLoop::quit()
{
    m_quit = true;
    // Wakes GetMessageW, so that the loop sees the quit at once.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

} // namespace pollwick::listtool
