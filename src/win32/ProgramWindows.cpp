// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/ProgramWindows.h"

#include "win32/MainWindow.h"
#include "win32/SplashWindow.h"

namespace pollwick::win {

ProgramWindows::ProgramWindows(Platform& platform, const Scale& scale)
    : m_platform(platform)
    , m_scale(scale)
    , m_splash(std::make_unique<SplashWindow>(platform, scale, [this] { showMainWindow(); }))
{
    m_splash->show();
}

ProgramWindows::~ProgramWindows()
{
    // The main window goes first: it was made last.
    m_mainWindow.reset();
}

void ProgramWindows::showMainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(m_platform, m_scale);
    }
    if (m_mainWindow->handle() == nullptr) {
        // Windows made no window (under Wine: no display). Nothing could
        // ever end the loop that waits for it, so end it now.
        PostQuitMessage(1);
        return;
    }
    m_mainWindow->show();
}

int runMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog manager's keys (Tab, the arrows, Enter) for whichever
        // of the program's windows is active.
        HWND active = GetActiveWindow();
        if (active != nullptr && IsDialogMessageW(active, &message) != FALSE) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace pollwick::win
