// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinClock.h"

#include <windows.h>

namespace pollwick::win {

TimeOfDay WinClock::now() const
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wHour, local.wMinute, local.wSecond};
}

} // namespace pollwick::win
