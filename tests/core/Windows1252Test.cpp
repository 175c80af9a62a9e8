// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace pollwick {
namespace {

TEST(Windows1252, EveryByteIsOneCharacterAndBack)
{
    std::string all;
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const char32_t c = cp1252::toUnicode(byte);
        EXPECT_EQ(cp1252::fromUnicode(c), byte) << value;
        // Only 0x80-0x9F differ from Latin-1, and only the five bytes that
        // the code page leaves undefined stay C1 controls there.
        const bool undefined =
            value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
        EXPECT_EQ(c == value, value < 0x80 || value > 0x9F || undefined) << value;
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    EXPECT_EQ(cp1252::toUtf8("\x80\x8A\x9F\xA7\xE9"), "\u20AC\u0160\u0178\u00A7\u00E9");
    // Capitals, of ASCII and of the code page, lower-cased.
    EXPECT_EQ(cp1252::toLower("AZaz09@[`{\xC0\xDE\xD7\xDF\xE0\xFF\x8A\x8C\x8E\x9F\x9A\x80\xA7"),
              "azaz09@[`{\xE0\xFE\xD7\xDF\xE0\xFF\x9A\x9C\x9E\xFF\x9A\x80\xA7");
}

TEST(Windows1252, WhatHasNoByteOrIsNoUtf8BecomesQuestionMarks)
{
    EXPECT_EQ(cp1252::fromUnicode(U'\u0080'), '?'); // the euro sign sits at 0x80 instead
    EXPECT_EQ(cp1252::fromUtf8("a\u4E2Db\U0001F600\U0010FFFFx\xC3"), "a?b??x?");
    // A broken sequence never lets a byte through: each of its bytes becomes
    // a "?", and the character after it still reads.
    for (const auto& [bad, marks] :
         {std::pair{"\x80", "?"}, std::pair{"\xFF", "?"}, std::pair{"\xC3", "?"},
          std::pair{"\xE2\x82", "??"}, std::pair{"\xC0\xAF", "??"},
          std::pair{"\xED\xA0\x80", "???"}, std::pair{"\xED\xBF\xBF", "???"},
          std::pair{"\xF4\x90\x80\x80", "????"}}) {
        EXPECT_EQ(cp1252::fromUtf8(std::string("<") + bad + "\xC3\xA9>"),
                  std::string("<") + marks + "\xE9>")
            << marks;
    }
}

} // namespace
} // namespace pollwick
