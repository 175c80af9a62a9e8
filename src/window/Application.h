// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace pollwick {

// The name the desktop knows the program by: its desktop entry without
// ".desktop", the ID of its AppStream metainfo (data/) and the name of its
// installed icon, which its desktop notifications show. It is a reversed
// domain name, as AppStream asks.
inline constexpr const char* kDesktopId = "io.github.pollwick.pollwick";

// What the program sets up once its QApplication exists: its name and
// desktop entry, the icon of its windows and fonts that stand in for Arial
// and Tahoma. No display name is set: Qt would add it to every window
// title ("Server Up — ..."), and the titles are exactly the windows' own
// captions.
void setUpApplication();

} // namespace pollwick
