// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WideText.h"
#include "platform/win/WinDialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace pollwick::win {
namespace {

using namespace std::string_literals;

TEST(WinText, Utf8AndUtf16RoundTrip)
{
    const struct {
        std::string utf8;
        std::wstring utf16;
    } cases[] = {
        {"", L""},
        {"Wombix Pollwick", L"Wombix Pollwick"},
        {"W\xC3\xB6mbix \xE6\x97\xA5", L"W\u00F6mbix \u65E5"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toWide(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(toUtf8(c.utf16), c.utf8) << c.utf8;
    }
    // Bytes that are not UTF-8 are not dropped.
    EXPECT_EQ(toWide("a\xFF"
                     "b"),
              L"a\uFFFDb");
}

TEST(WinText, FitsABufferWithoutSplittingAPair)
{
    EXPECT_EQ(fitText(L"Server Up", 64), L"Server Up");
    EXPECT_EQ(fitText(L"abcdef", 4), L"abc");
    EXPECT_EQ(fitText(L"ab\xD83D\xDE00", 4), L"ab");
    EXPECT_EQ(fitText(L"abc", 0), L"");
}

TEST(WinText, FilterAsTheFileDialogTakesIt)
{
    EXPECT_EQ(filterText(texts::kWaveFiles), L"Wave Files\0*.wav\0\0"s);
    EXPECT_EQ(filterText(texts::kGameExecutable), L"Wombix File\0wombix.exe\0\0"s);
}

} // namespace
} // namespace pollwick::win
