// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtPlatform.h"
#include "window/Application.h"
#include "window/ProgramWindows.h"
#include "window/SplashScreen.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pollwick::setUpApplication();

    pollwick::QtPlatform platform;
    pollwick::ProgramWindows windows(platform);
    windows.splash().show();
    return QApplication::exec();
}
