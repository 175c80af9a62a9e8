// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ProgramWindows.h"

#include "window/MainWindow.h"
#include "window/SplashScreen.h"

namespace pollwick {

ProgramWindows::ProgramWindows(Platform& platform)
    : m_platform(platform)
    , m_splash(std::make_unique<SplashScreen>(platform))
{
    QObject::connect(m_splash.get(), &SplashScreen::handedOver, m_splash.get(),
                     [this] { showMainWindow(); });
}

ProgramWindows::~ProgramWindows()
{
    // The main window goes first: it was made last.
    m_mainWindow.reset();
}

void ProgramWindows::showMainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(m_platform);
    }
    m_mainWindow->show();
}

} // namespace pollwick
