// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/ListFormat.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>

namespace pollwick::listfmt {
namespace {

const ServerRecord kSpring{"Spring Arena", "Battle", "1.24", "3/16", "   192.0.2.10", false};

// Every byte, alone and all together, makes a JSON line whose text reads back
// as its Windows-1252 character, with nothing but printable ASCII in it.
TEST(JsonLine, EveryByteReadsBackAsItsCharacterInPrintableAscii)
{
    std::string all;
    for (int b = 0; b <= 256; ++b) {
        const std::string bytes = b < 256 ? std::string(1, static_cast<char>(b)) : all;
        ServerRecord record = kSpring;
        record.serverName = bytes;
        const std::string line = jsonLine(record, std::nullopt);
        const auto value = nlohmann::json::parse(line, nullptr, false);
        ASSERT_TRUE(value.is_object()) << "byte " << b << ": " << line;
        EXPECT_EQ(value["serverName"].get<std::string>(), cp1252::toUtf8(bytes)) << "byte " << b;
        EXPECT_TRUE(
            std::all_of(line.begin(), line.end() - 1, [](char c) { return c >= 0x20 && c < 0x7F; }))
            << "byte " << b;
        all += bytes;
    }
}

TEST(JsonLine, TheRecordKeysInOrderTheVerdictOnlyWhenGivenAndLongTextsCut)
{
    EXPECT_EQ(jsonLine(kSpring, std::nullopt),
              R"({"serverName":"Spring Arena","gameType":"Battle","version":"1.24",)"
              R"("players":"3/16","ipAddress":"   192.0.2.10","isPrivate":false})"
              "\n");
    ServerRecord hidden = kSpring;
    hidden.isPrivate = true;
    EXPECT_TRUE(jsonLine(hidden, MatchVerdict::PassedOverFull)
                    .ends_with(R"("isPrivate":true,"verdict":"PassedOverFull"})"
                               "\n"));
    // A text of a megabyte (a list server can carry one over every line) is
    // cut as the window cuts it.
    ServerRecord huge = kSpring;
    huge.serverName = huge.ipAddress = std::string(1000000, 'a');
    const auto value = nlohmann::json::parse(jsonLine(huge, std::nullopt));
    for (const char* key : {"serverName", "ipAddress"}) {
        EXPECT_EQ(value[key].get<std::string>(), std::string(255, 'a') + "\u2026") << key;
    }
}

// Control characters show as hex and a backslash is doubled, so that no
// name passes for an escaped one; a cell wider than its limit is cut by
// characters, never inside an escape, and ends in "…".
TEST(Table, CellsShowControlCharactersAsHexAndAreCutToTheirWidth)
{
    constexpr std::size_t kWhole = std::numeric_limits<std::size_t>::max();
    const struct {
        std::string bytes;
        std::size_t width;
        std::string shown;
    } cells[] = {
        {"Bell\x07\r\n\x7F\x81", kWhole, "Bell\\x07\\x0d\\x0a\\x7f\\x81"},
        {"a\\x14", kWhole, "a\\\\x14"},
        {"Caf\xE9 \xA7", kWhole, "Caf\xC3\xA9 \xC2\xA7"},
        {"abcdef", 6, "abcdef"},
        {"abcdefg", 6, "abcde\u2026"},
        {"\xE9\xE9\xE9\xE9", 3, "\xC3\xA9\xC3\xA9\u2026"},
        {"ab\x07xyz", 6, "ab\u2026"},
        {"a\\bcde", 4, "a\\\\\u2026"},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(cellText(c.bytes, c.width), c.shown) << c.bytes;
    }
}

// Each row is printed alone, at the columns' fixed widths, lined up with the
// header by characters, not bytes; a name of 200,000 control characters
// takes no more room than any other.
TEST(Table, RowsLineUpWithTheHeaderAtFixedWidths)
{
    ServerRecord cafe = kSpring;
    cafe.serverName = "Caf\xE9";
    ServerRecord flood = kSpring;
    flood.serverName = std::string(200000, '\x01');
    flood.ipAddress = "   " + std::string(30, '9');
    EXPECT_EQ(tableHeader(true) + tableRow(cafe, MatchVerdict::PassedOverFull) +
                  tableRow(flood, MatchVerdict::Match),
              "Server Name                   Type      Version  Players  IP Address             "
              "Verdict\n"
              "Caf\xC3\xA9                          Battle    1.24     3/16        192.0.2.10"
              "          PassedOverFull\n"
              "\\x01\\x01\\x01\\x01\\x01\\x01\u2026     Battle    1.24     3/16        "
              "99999999999999999\u2026  Match\n");
    EXPECT_EQ(tableHeader(false),
              "Server Name                   Type      Version  Players  IP Address\n");
    EXPECT_EQ(tableRow(kSpring, std::nullopt),
              "Spring Arena                  Battle    1.24     3/16        192.0.2.10\n");
}

} // namespace
} // namespace pollwick::listfmt
