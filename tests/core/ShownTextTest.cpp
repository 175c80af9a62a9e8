// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/ShownText.h"

#include <gtest/gtest.h>

#include <string>

namespace pollwick {
namespace {

TEST(ShownText, LongTextIsCutAtTheBoundAndControlCharactersShowAsPictures)
{
    const struct {
        std::string bytes;
        std::size_t most;
        std::string shown;
    } cases[] = {
        {"abc", 3, "abc"},
        {"abcd", 3, "ab\u2026"},
        {"", 3, ""},
        {std::string("a\0b", 3), 8, "a\u2400b"},
        {"\x1F\x7F\xA7\x80", 8, "\u241F\u2421\u00A7\u20AC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownUtf8(c.bytes, c.most), c.shown) << c.bytes;
    }
}

TEST(ShownText, ARowKeepsOnlyWhatTheListShows)
{
    ServerRecord record;
    record.serverName = std::string(kShownCharacters, 'n');
    record.ipAddress = std::string(1000000, 'a'); // a carried megabyte
    record.players = "3/16";
    const ServerRow row = shownRow(record);
    EXPECT_EQ(row.serverName.size(), kShownCharacters);
    EXPECT_EQ(row.ipAddress.size(), kShownCharacters - 1);
    EXPECT_EQ(rowColumn(row, 0), (ShownPart{row.serverName, false}));
    EXPECT_EQ(rowColumn(row, 4), (ShownPart{row.ipAddress, true}));
    EXPECT_EQ(rowColumn(row, 3), (ShownPart{"3/16", false}));
    EXPECT_EQ(rowColumn(row, 0, kCellCharacters).kept.size(), kCellCharacters - 1);
    EXPECT_TRUE(rowColumn(row, 0, kCellCharacters).cut);
}

} // namespace
} // namespace pollwick
