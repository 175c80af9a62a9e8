// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QIcon>

namespace pollwick {

enum class WindowFont {
    Arial, // Arial 8.25 pt
    ArialBold, // Arial 8.25 pt, bold
};

// The windows' fonts that a .ui file cannot give, as it gives sizes in whole
// points only (the server list's Tahoma 9 pt is in MainWindow.ui). Where
// Arial or Tahoma is not installed the system's font configuration picks a
// substitute (Liberation Sans is metric-compatible with Arial).
QFont windowFont(WindowFont which);

// Makes Tahoma available when the system has no font of that name but has
// Wine's compatible one. Call once, after the application object exists.
void installFallbackFonts();

// The program's own icon, the main window's too.
QIcon programIcon();

} // namespace pollwick
