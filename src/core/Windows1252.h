// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// The list server speaks Windows-1252: one byte is one character. Pollwick
// keeps every text that came from it as those bytes, and converts only where
// text meets a person (a widget, a terminal) or comes from one (a typed
// criterion).
namespace pollwick::cp1252 {

// The character that a byte stands for. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control
// characters of the same value, so every byte maps to exactly one character
// and back.
char32_t toUnicode(unsigned char byte);

// The byte for a character, or '?' when Windows-1252 has none for it.
unsigned char fromUnicode(char32_t character);

// Appends the UTF-8 of the character that a byte stands for.
void appendUtf8(std::string& out, unsigned char byte);

// Byte text to UTF-8.
std::string toUtf8(std::string_view bytes);

// UTF-8 to byte text; characters without a byte, and malformed UTF-8, become '?'.
std::string fromUtf8(std::string_view utf8);

// Lower case as Windows-1252 knows it: A-Z, the accented capitals 0xC0-0xDE
// (but not 0xD7, the multiplication sign), and the capitals that the code page
// keeps at 0x8A, 0x8C, 0x8E and 0x9F.
unsigned char toLower(unsigned char byte);
std::string toLower(std::string_view bytes);

} // namespace pollwick::cp1252
