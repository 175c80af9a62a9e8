// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

namespace pollwick {

class MainWindow;
class Platform;
class SplashScreen;

// The program's windows: the splash comes first, and the main window is made
// (and so loads) when the splash hands over to it, once; a later hand-over
// only shows it again.
class ProgramWindows final
{
public:
    explicit ProgramWindows(Platform& platform);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    [[nodiscard]] SplashScreen& splash() { return *m_splash; }
    // Null until the splash has handed over.
    [[nodiscard]] MainWindow* mainWindow() { return m_mainWindow.get(); }

private:
    void showMainWindow();

    Platform& m_platform;
    std::unique_ptr<SplashScreen> m_splash;
    std::unique_ptr<MainWindow> m_mainWindow;
};

} // namespace pollwick
