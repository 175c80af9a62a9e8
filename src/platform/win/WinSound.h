// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Windows' own sound playing, without Qt, so that it builds and is tested in
// the Windows build of the core.
namespace pollwick::winsound {

// Whether the name is that of a file on disk, rather than a folder, a pipe
// (\\.\pipe\...) or a device (NUL, COM1): a pipe or a device may never end,
// and the system would read it to its end before returning. The name is in
// Windows-1252, the code page of the "A" functions.
bool isDiskFile(const std::string& windows1252FileName);

// Plays a wave file to its end before returning. The name is in Windows-1252.
// Only a file on disk is handed to the system; anything else, and a file
// that cannot be played, gives the system's default sound instead. When
// that cannot be played either (no sound device), it returns at once.
void playSync(const std::string& windows1252FileName);

} // namespace pollwick::winsound
