// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "win32/Metrics.h"

#include <memory>

namespace pollwick::win {

class MainWindow;
class Platform;
class SplashWindow;

// The program's windows: the splash first, and the main window, made when
// the splash hands over (its load runs then), once.
class ProgramWindows final
{
public:
    ProgramWindows(Platform& platform, const Scale& scale);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;
    ProgramWindows(ProgramWindows&&) = delete;
    ProgramWindows& operator=(ProgramWindows&&) = delete;

    [[nodiscard]] SplashWindow& splash() { return *m_splash; }
    // Null until the splash has handed over.
    [[nodiscard]] MainWindow* mainWindow() { return m_mainWindow.get(); }

private:
    void showMainWindow();

    Platform& m_platform;
    Scale m_scale;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<MainWindow> m_mainWindow;
};

// Runs the thread's message loop until WM_QUIT, with Tab and the arrow keys
// moving through the controls of the active window; returns the exit code.
int runMessageLoop();

} // namespace pollwick::win
