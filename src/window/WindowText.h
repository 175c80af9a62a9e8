// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace pollwick {

// List-server text (Windows-1252 bytes) as text, whole.
QString fromListText(std::string_view bytes);

// The most of a list-server text that the window shows, notifies or puts in
// a tool tip. A list server may send names of a megabyte; shaping and
// eliding those on every paint would stall the window, and nobody reads
// them whole. A cell of the server list shows fewer: more than that never
// fits the list, and every character costs its paint (the cell's tool tip
// shows the longer part).
inline constexpr std::size_t kShownCharacters = 256;
inline constexpr std::size_t kCellCharacters = 96;

// List-server text as the window shows it: whole up to `most` characters; a
// longer one cut to that many, the last being "…".
QString shownListText(std::string_view bytes, std::size_t most = kShownCharacters);

// Text typed in the window as list-server bytes; a character that
// Windows-1252 cannot hold becomes '?'.
std::string toListText(const QString& text);

} // namespace pollwick
