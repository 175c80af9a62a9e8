// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "list/ListTool.h"
#include "platform/win/WinClock.h"

namespace pollwick::listtool {

// pollwick-list's event loop on Windows: the thread's message loop, with the
// Windows window's own ports (Winsock's list connection, SetTimer), which
// deliver their events as messages to windows of their own on this thread.
class WinEventLoop final : public EventLoop
{
public:
    std::unique_ptr<ListConnection> createConnection() override;
    std::unique_ptr<Timer> createTimer() override;
    const Clock& clock() override { return m_clock; }
    void run() override;
    void quit() override;

private:
    win::WinClock m_clock;
    bool m_quit = false;
};

} // namespace pollwick::listtool
