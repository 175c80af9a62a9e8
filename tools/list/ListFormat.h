// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// How pollwick-list prints server records: JSON Lines and an aligned table,
// both one record at a time. Plain C++ on purpose, so that a fuzz target can
// feed it any bytes.
namespace pollwick::listfmt {

// One JSON Lines object for a record, newline included: serverName,
// gameType, version, players, ipAddress (strings), isPrivate (boolean), and
// verdict when given. The texts are the record's Windows-1252 bytes as
// characters (the five undefined bytes as the C1 controls U+0081 ...), so
// any bytes make valid JSON; the line is printable ASCII, every other
// character escaped (\u00e9), so that it stays harmless on a terminal. A
// text longer than the window shows (256 characters) is cut as the window
// cuts it, its last character "…".
std::string jsonLine(const ServerRecord& record, std::optional<MatchVerdict> verdict);

// The text of a table cell: UTF-8, with each control character (the bytes
// 0x00-0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D) shown as \xHH and the
// backslash doubled, so that a name cannot move the cursor or pass for
// another one. A text wider than `maxWidth` characters (at least 1) is cut
// before the character or escape that would pass `maxWidth - 1`, and "…"
// (U+2026) ends it; only the bytes that are shown are read.
std::string cellText(std::string_view bytes,
                     std::size_t maxWidth = std::numeric_limits<std::size_t>::max());

// Characters (code points) in UTF-8 text: the width that a table gives it.
std::size_t displayWidth(std::string_view utf8);

// The table's columns, with the width of each in characters. The widths are
// fixed, so that each row can be printed as it comes and a list server
// cannot make the table wider than a terminal: a list-mode row takes at most
// 79 characters, a walk-mode row 98. A longer cell is cut with "…".
struct TableColumn {
    std::string_view title;
    std::size_t width;
};
inline constexpr std::array<TableColumn, 6> kTableColumns = {{
    {"Server Name", 28},
    {"Type", 8},
    {"Version", 7},
    {"Players", 7},
    {"IP Address", 21},
    {"Verdict", 17},
}};

// The header line: "Server Name", "Type", "Version", "Players", "IP
// Address", and "Verdict" when the table shows verdicts.
std::string tableHeader(bool withVerdicts);

// One row of a record, with the Verdict column when `verdict` is given. Like
// the header, it ends in "\n", has two spaces between columns, every column
// but the last padded to its width, and no spaces at the end.
std::string tableRow(const ServerRecord& record, std::optional<MatchVerdict> verdict);

} // namespace pollwick::listfmt
