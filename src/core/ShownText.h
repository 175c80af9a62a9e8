// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

// How much of a list server's text a person is shown, and how. A list
// server may send names of a megabyte; shaping and painting those would
// stall a window, and nobody reads them whole.
namespace pollwick {

// The most of a text that a window shows, notifies or puts in a tool tip,
// in characters (one a byte).
inline constexpr std::size_t kShownCharacters = 256;
// A cell of the server list shows fewer: more never fits the list, and
// every character costs its paint (its tool tip shows up to
// kShownCharacters).
inline constexpr std::size_t kCellCharacters = 96;

// The part of `bytes` that is shown when at most `most` characters are:
// whole when it fits, otherwise the first `most` - 1 and then "…".
struct ShownPart {
    std::string_view kept;
    bool cut = false; // "…" follows what is kept

    friend bool operator==(const ShownPart&, const ShownPart&) = default;
};
ShownPart shownPart(std::string_view bytes, std::size_t most = kShownCharacters);

// The character a person is shown for a byte of list text: the byte's
// Windows-1252 character, but for the control characters, which show as
// their pictures (U+2400 to U+2421: a NUL as "␀"), so that none of them
// cuts or garbles what follows it in a label, a list or a notification.
char32_t shownCharacter(unsigned char byte);

// List text as a person is shown it, in UTF-8, cut as shownPart() cuts it.
std::string shownUtf8(std::string_view bytes, std::size_t most = kShownCharacters);

// The server list's copy of a record: the five texts as far as the list
// shows them (shownPart() with kShownCharacters), so that a field that a
// list server repeats on every line costs the list no more than its shown
// part.
struct ServerRow {
    std::string serverName;
    std::string gameType;
    std::string version;
    std::string players;
    std::string ipAddress;
    unsigned cutFields = 0; // bit i: field i (in the order above) was cut

    friend bool operator==(const ServerRow&, const ServerRow&) = default;
};

ServerRow shownRow(const ServerRecord& record);

// The text of a column of the server list (0 "Server Name", 1 "Type",
// 2 "Version", 3 "Players", 4 "IP Address") when at most `most` characters
// are shown: a cell shows kCellCharacters, its tool tip kShownCharacters.
ShownPart rowColumn(const ServerRow& row, int column, std::size_t most = kShownCharacters);

} // namespace pollwick
