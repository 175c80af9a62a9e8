// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ServerLineParser.h"

#include "core/Windows1252.h"
#include "core/scan/MarkerScan.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pollwick {
namespace {

using R = ServerRecord;

// The response is Windows-1252; the tests write their lines in UTF-8 so that
// the section sign reads as itself.
std::string cp(std::string_view utf8)
{
    return cp1252::fromUtf8(utf8);
}

// A record as an earlier line of the same response left it.
const ServerRecord kPrevious{"Prev", "Prevtype", "prevversion", "9/9", "   9.9.9.9", false};

ServerRecord parseEntry(std::string_view entry, ServerRecord record = kPrevious)
{
    parseServerLine(entry, record);
    return record;
}

TEST(ServerLineParser, TheExampleLineAndItsPrivateTwin)
{
    EXPECT_EQ(parseEntry(cp("   192.0.2.10:27015 battle 1.24   [3/16] §1Spring |Arena\r"), {}),
              (R{"Spring Arena", "Battle", "1.24", "3/16", "   192.0.2.10", false}));
    EXPECT_EQ(
        parseEntry(cp("   192.0.2.10:27015 private battle 1.24   [3/16] §1Spring |Arena\r"), {}),
        (R{"Spring Arena", "Battle", "1.24", "3/16", "Private", true}));
}

// Each field found by its own search over the whole entry, after an entry
// that left kPrevious.
TEST(ServerLineParser, EachFieldFromItsOwnSearch)
{
    const struct {
        std::string_view entry;
        std::string ServerRecord::*field;
        std::string_view expected;
    } cases[] = {
        // The name runs from two after the first "]" to the last character
        // but one; the players stand between the first "[" and "]".
        {"   abc\r", &R::serverName, "  abc"}, // no "]"
        {"   [1/2 abc\r", &R::serverName, "  [1/2 abc"},
        {"   [1/2 abc\r", &R::players, "9/9"},
        {"   x] y [1/2]\r", &R::serverName, "y [1/2]"},
        {"   x] y [1/2]\r", &R::players, "9/9"}, // "]" before "["
        {"   1/2] Name\r", &R::players, "   1/2"}, // no "["
        {"   [1/2]Name\r", &R::serverName, "ame"},
        {"   [1/2]", &R::serverName, "Pre"}, // "]" last: the old name less one
        {"   [1/2]\r", &R::serverName, ""},
        {"   [] x\r", &R::players, ""},
        {"   [1/2] Name", &R::serverName, "Nam"}, // LF alone
        // Colour codes: "|" first, then one pass per code in the order 1-9, 0.
        {"   [1/2] |Sp|ring|\r", &R::serverName, "Spring"},
        {"   [1/2] §1A§2B§3C§4D§5E§6F§7G§8H§9I§0J\r", &R::serverName, "ABCDEFGHIJ"},
        {"   [1/2] §|1X\r", &R::serverName, "X"},
        {"   [1/2] §§11X\r", &R::serverName, "§1X"},
        {"   [1/2] §§12X\r", &R::serverName, "X"},
        {"   [1/2] §§21X\r", &R::serverName, "§1X"},
        {"   [1/2] §9§§19\r", &R::serverName, ""},
        {"   [1/2] §aX§ §§ 1\r", &R::serverName, "§aX§ §§ 1"},
        {"   [1/2] x§0y\r", &R::serverName, "xy"},
        {"   [1/2] §9x\r", &R::serverName, "x"},
        // Race and Coop endings after four spaces go, after the colour codes.
        {"   [1/2] Fun    Race\r", &R::serverName, "Fun"},
        {"   [1/2] Fun     Coop\r", &R::serverName, "Fun "},
        {"   [1/2] Fun   Race\r", &R::serverName, "Fun   Race"},
        {"   [1/2] A    RaceB    Race\r", &R::serverName, "AB"},
        {"   [1/2] Fun  |  Race\r", &R::serverName, "Fun"},
        {"     Race", &R::serverName, "    Rac"},
        // Versions: the last row of the table that hits wins (each row alone
        // is a seed of the line parser's fuzz corpus).
        {"   1.24   1.21    [1/2] n\r", &R::version, "1.21"},
        {"   1.21   1.24 x  [1/2] n\r", &R::version, "1.24 x"},
        {"   1.21 s 1.24\x14\x14 [1/2] n\r", &R::version, "1.24"},
        {"   [1/2] best 1.21 s server\r", &R::version, "1.21 s"},
        {"   1.24 X x 1.24  x 1.24\x14 1.24x [1/2] n\r", &R::version, "prevversion"},
        {"   [1/2] ends in 1.24\r", &R::version, "prevversion"},
        // Game types, the same way; Coop and Race after five spaces.
        {"   h:1 battle [1/2] n\r", &R::gameType, "Battle"},
        {"   h:1 battle [1/2] ctf treasure\r", &R::gameType, "Treasure"},
        {"   h:1 x     Coop [1/2] n\r", &R::gameType, "Coop"},
        {"   h:1 x     Race     Coop\r", &R::gameType, "Race"},
        {"   treasure [1/2] n     Coop\r", &R::gameType, "Coop"},
        {"   Battle CTF Treasure x    Coop x    Race [1/2] n\r", &R::gameType, "Prevtype"},
        {"     Race", &R::gameType, "Race"}, // the entry's spaces count
        // The address: before the first ":", or the private marker for a
        // line with the lower-case word.
        {"   :7000 battle [1/16] Blank\r", &R::ipAddress, "   "},
        {"   no colon [1/2] a:b\r", &R::ipAddress, "   no colon [1/2] a"},
        {"   10.0.0.1:5 battle [1/2] my private room\r", &R::ipAddress, "Private"},
        {"   10.0.0.1:5 battle [1/2] my Private PRIVATE priv ate\r", &R::ipAddress, "   10.0.0.1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseEntry(cp(c.entry)).*c.field, cp(c.expected)) << c.entry;
    }
    EXPECT_EQ(parseEntry("   [1/2] ends in 1.24\r", {}).version, "");
}

// The record of one response, entry by entry: its fields, private or not,
// and which fields the entry set itself (Name, Players, Version, Game type,
// Ip address); the others carry over.
TEST(ServerLineParser, CarriesFieldsOverAndReportsWhatTheLineSet)
{
    const std::string far(40000, 'a'); // positions beyond sixteen bits
    const std::pair<std::string, std::string> lines[] = {
        {"   10.0.0.1:5 battle 1.24   [3/16] First\r", "First|Battle|1.24|3/16|   10.0.0.1| NPVGI"},
        {"   10.0.0.2:5 [4/16] Second\r", "Second|Battle|1.24|4/16|   10.0.0.2| NP  I"},
        {"   private ctf 1.21 x [1/8] Third\r", "Third|Ctf|1.21 x|1/8|Private|private NPVGI"},
        // A public line without ":" keeps the private marker.
        {"   no colon [2/8] Fourth\r", "Fourth|Ctf|1.21 x|2/8|Private| NP   "},
        {"   ", " |Ctf|1.21 x|2/8|Private| N    "},
        {"   [5/6]", "|Ctf|1.21 x|5/6|Private|  P   "},
        {"   " + far + ":7 [1/2] far\r", "far|Ctf|1.21 x|1/2|   " + far + "| NP  I"},
    };
    ServerRecord r;
    for (const auto& [entry, expected] : lines) {
        const ParsedFields set = parseServerLine(entry, r);
        std::string seen = r.serverName + "|" + r.gameType + "|" + r.version + "|" + r.players +
            "|" + r.ipAddress + (r.isPrivate ? "|private " : "| ");
        for (const auto& [field, letter] :
             {std::pair{ParsedFields::ServerName, 'N'}, std::pair{ParsedFields::Players, 'P'},
              std::pair{ParsedFields::Version, 'V'}, std::pair{ParsedFields::GameType, 'G'},
              std::pair{ParsedFields::IpAddress, 'I'}}) {
            seen += set.has(field) ? letter : ' ';
        }
        EXPECT_EQ(seen, expected) << entry.substr(0, 40);
    }
}

// Names carried over many lines, each losing its last character and
// cleaned again: the parser of a response, which looks at a clean name only
// once, gives the same records as a parse of each line on its own.
TEST(ServerLineParser, ANameCarriedOverManyLinesIsCleanedAsOnEveryLine)
{
    const std::vector<std::string> names = {
        "   [1/2] plain name\r",
        std::string("   [1/2] \xA7\xA7\xA7") + "111 rest\r", // codes a removal brings together
        "   [1/2] x        RaceRace tail\r", // a Race ending that a removal brings together
        std::string("   [1/2] a|b\xA7") + "2c\r",
        "   [1/2] \r",
    };
    for (const std::string& first : names) {
        ServerLineParser parser;
        ServerRecord once;
        ServerRecord each;
        for (int line = 0; line < 12; ++line) {
            const std::string entry = line == 0 ? first : "   [1/2]"; // "]" last: no name
            EXPECT_EQ(parser.parse(entry, once), parseServerLine(entry, each));
            ASSERT_EQ(once, each) << first << " line " << line;
        }
    }
}

// The parser looks for markers sixteen bytes at a time; a marker must be seen
// wherever it stands: across a block's edge, in the short last block, at the
// very end of the entry.
TEST(ServerLineParser, FindsMarkersAtEveryOffset)
{
    for (std::size_t at = 0; at <= 40; ++at) {
        for (std::size_t after = 0; after <= 17; after += 17) {
            const auto placed = [&](std::string_view marker) {
                return std::string(at, ' ').append(marker).append(after, ' ');
            };
            SCOPED_TRACE(testing::Message() << "offset " << at << ", " << after << " after");
            EXPECT_EQ(parseEntry(placed("treasure")).gameType, "Treasure");
            EXPECT_EQ(parseEntry(placed("1.21 s ")).version, "1.21 s");
            EXPECT_EQ(parseEntry(placed("1.24\x14\x14")).version, "1.24");
            EXPECT_TRUE(parseEntry(placed("private")).isPrivate);
            EXPECT_EQ(parseEntry(placed("     Race")).gameType, "Race");
            // One byte short of a marker is none.
            EXPECT_EQ(parseEntry(std::string(at, ' ').append("treasur")).gameType, "Prevtype");
            EXPECT_EQ(parseEntry(std::string(at, ' ').append("1.24\x14")).version, "prevversion");
        }
    }
}

TEST(MarkerScan, VectorScanAgreesWithThePlainOne)
{
    std::array<char, markers::kBlockRead> block{};
    const auto agree = [&] {
        return markers::startsInBlock(block.data()) == markers::startsInBlockPlain(block.data());
    };
    // Every byte value at every position.
    for (std::size_t at = 0; at < block.size(); ++at) {
        for (int value = 0; value < 256; ++value) {
            block.fill('a');
            block[at] = static_cast<char>(value);
            ASSERT_TRUE(agree()) << "byte " << value << " at " << at;
        }
    }
}

} // namespace
} // namespace pollwick
