// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ShownText.h"
#include "platform/win/WideText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <windows.h>

// Text where it meets Windows: the W functions take UTF-16. The program's
// own texts are UTF-8, the list server's are Windows-1252 bytes.
namespace pollwick::win {

// What a person typed, as the list server's bytes: the criteria are
// compared with list text byte by byte. A character that Windows-1252 has
// no byte for becomes '?'.
std::string listBytes(std::wstring_view typed);

// List text as a person is shown it: control characters as their pictures,
// and at most `most` characters, the last of them "…" when cut.
std::wstring shownWide(std::string_view bytes, std::size_t most);
// A part of list text as it is shown: its kept characters, then "…" when cut.
std::wstring shownWide(const ShownPart& part);

std::wstring windowText(HWND window);
void setWindowText(HWND window, const std::wstring& text);

} // namespace pollwick::win
