// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Windows1252.h"

#include <array>
#include <cstdint>

namespace pollwick::cp1252 {
namespace {

// 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

} // namespace

char32_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80u];
    }
    return byte;
}

unsigned char fromUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (unsigned i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return '?';
}

void appendUtf8(std::string& out, unsigned char byte)
{
    const char32_t c = toUnicode(byte);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Every character of the code page lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        appendUtf8(out, static_cast<unsigned char>(c));
    }
    return out;
}

std::string fromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            c = lead & 0x1Fu;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            c = lead & 0x0Fu;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            c = lead & 0x07u;
            minimum = 0x10000;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + length <= n;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) {
                valid = false;
            } else {
                c = (c << 6) | (cont & 0x3Fu);
            }
        }
        if (!valid || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // Skip only the lead byte, so that the next character still reads.
            out += '?';
            ++i;
            continue;
        }
        out += static_cast<char>(fromUnicode(c));
        i += length;
    }
    return out;
}

namespace {

constexpr unsigned char lowerOf(unsigned char byte)
{
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<unsigned char>(byte + 0x20);
    }
    switch (byte) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<unsigned char>(byte + 0x10);
    case 0x9F: // Y diaeresis
        return 0xFF;
    default:
        return byte;
    }
}

constexpr std::array<unsigned char, 256> kLower = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        table[i] = lowerOf(static_cast<unsigned char>(i));
    }
    return table;
}();

} // namespace

unsigned char toLower(unsigned char byte)
{
    return kLower[byte];
}

std::string toLower(std::string_view bytes)
{
    std::string out(bytes);
    for (char& c : out) {
        c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    }
    return out;
}

} // namespace pollwick::cp1252
