// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick.exe: the splash, then the main window, on Windows' own services.

#include "platform/win/WinSystem.h"
#include "win32/Metrics.h"
#include "win32/ProgramWindows.h"
#include "win32/SplashWindow.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    pollwick::win::WinSystem system;
    pollwick::win::ProgramWindows windows(system, pollwick::win::Scale::ofSystem());
    if (windows.splash().handle() == nullptr) {
        return 1; // no window can be made here (under Wine: no display)
    }
    return pollwick::win::runMessageLoop();
}
