// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Appearance.h"

#include <QFile>
#include <QFontDatabase>

namespace pollwick {

QFont windowFont(WindowFont which)
{
    switch (which) {
    case WindowFont::Arial:
    case WindowFont::ArialBold: {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(8.25);
        font.setWeight(which == WindowFont::ArialBold ? QFont::Bold : QFont::Normal);
        return font;
    }
    }
    return {};
}

void installFallbackFonts()
{
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        return;
    }
    for (const char* path :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(QString::fromLatin1(path))) {
            QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        }
    }
}

QIcon programIcon()
{
    QIcon icon(QStringLiteral(":/icons/pollwick.ico"));
    icon.addFile(QStringLiteral(":/icons/pollwick-256.png"));
    return icon;
}

} // namespace pollwick
