// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The resources of pollwick.exe (pollwick.rc). windres reads this file as
// well as the compiler, so it holds only these numbers, as macros, and a
// guard that both understand.
#ifndef POLLWICK_WIN32_RESOURCES_H
#define POLLWICK_WIN32_RESOURCES_H

#define POLLWICK_ICON 1
#define POLLWICK_PATHS_ICON 2
#define POLLWICK_SPLASH_PICTURE 3

#endif
