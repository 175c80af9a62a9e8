// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinSystem.h"

#include "platform/win/WinListConnection.h"
#include "platform/win/WinTimer.h"

namespace pollwick::win {

std::unique_ptr<Timer> WinSystem::createTimer()
{
    return std::make_unique<WinTimer>();
}

std::unique_ptr<ListConnection> WinSystem::createConnection()
{
    return createListConnection();
}

void WinSystem::endProcess()
{
    m_attention.removeIcon();
    ExitProcess(0);
}

} // namespace pollwick::win
