// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8, Windows' W functions UTF-16. Bytes that are not
// UTF-8, and halves of surrogate pairs, become U+FFFD rather than being
// dropped, so that no text is cut short.
namespace pollwick::win {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

// `text` cut to at most `capacity` - 1 characters, so that it fits a fixed
// buffer of `capacity` with its terminating null, without splitting a
// surrogate pair.
std::wstring fitText(std::wstring_view text, std::size_t capacity);

} // namespace pollwick::win
