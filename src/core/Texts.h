// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

// The program's own texts that more than one window shows, in UTF-8.
namespace pollwick::texts {

inline constexpr std::string_view kProgramTitle = "Wombix Pollwick";
inline constexpr std::string_view kServerUp = "Server Up";
inline constexpr std::string_view kNoGamePaths =
    "Wombix Pollwick has not detected any Wombix Paths, Please Specify paths before continuing";

// A file-open dialog's one filter.
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};
inline constexpr FileFilter kWaveFiles{"Wave Files", "*.wav"};
inline constexpr FileFilter kGameExecutable{"Wombix File", "wombix.exe"};

// The server list's columns: header and width in twips.
struct ListColumn {
    std::string_view header;
    int widthTwips;
};
inline constexpr ListColumn kListColumns[] = {
    {"Server Name", 1500}, {"Type", 900}, {"Version", 775}, {"Players", 775}, {"IP Address", 1400},
};

} // namespace pollwick::texts
