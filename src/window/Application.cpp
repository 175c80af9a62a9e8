// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Application.h"

#include "window/Appearance.h"

#include <QApplication>

namespace pollwick {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Wombix Pollwick"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(programIcon());
    installFallbackFonts();
}

} // namespace pollwick
