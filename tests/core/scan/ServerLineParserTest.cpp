#include "core/scan/ServerLineParser.h"

#include "core/Windows1252.h"
#include "core/scan/MarkerScan.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace pollwick {
namespace {

// The response is Windows-1252; the tests write their lines in UTF-8 so that
// the section sign reads as itself.
std::string cp(std::string_view utf8)
{
    return cp1252::fromUtf8(utf8);
}

// A record as an earlier line of the same response left it.
ServerRecord previousRecord()
{
    return {"Prev", "Prevtype", "prevversion", "9/9", "   9.9.9.9", false};
}

ServerRecord parseEntry(std::string_view entry, ServerRecord record = previousRecord())
{
    ParseServerLine(entry, record);
    return record;
}

TEST(ServerLineParser, BracketsFindNameAndPlayers)
{
    const struct {
        const char* what;
        std::string entry;
        std::string name;
        std::string players;
    } cases[] = {
        {"no ] keeps all but the first and last character", "   abc\r", "  abc", "9/9"},
        {"[ without ] keeps the players", "   [1/2 abc\r", "  [1/2 abc", "9/9"},
        {"] before [ keeps the players", "   x] y [1/2]\r", "y [1/2]", "9/9"},
        {"] without [ takes the players from the start", "   1/2] Name\r", "Name", "   1/2"},
        {"name right after ] loses its first character", "   [1/2]Name\r", "ame", "1/2"},
        {"] last keeps the old name less its last character", "   [1/2]", "Pre", "1/2"},
        {"] second to last leaves the name empty", "   [1/2]\r", "", "1/2"},
        {"empty brackets", "   [] x\r", "x", ""},
        {"LF-only line loses the name's own last character", "   [1/2] Name", "Nam", "1/2"},
    };
    for (const auto& c : cases) {
        const auto record = parseEntry(c.entry);
        EXPECT_EQ(record.serverName, c.name) << c.what;
        EXPECT_EQ(record.players, c.players) << c.what;
    }
}

TEST(ServerLineParser, RemovesColourCodesInOrder)
{
    const auto name = [](std::string_view text) {
        return parseEntry(cp("   [1/2] ") + cp(text) + "\r").serverName;
    };
    EXPECT_EQ(name("|Sp|ring|"), "Spring");
    EXPECT_EQ(name("§1A§2B§3C§4D§5E§6F§7G§8H§9I§0J"), "ABCDEFGHIJ");
    EXPECT_EQ(name("§|1X"), "X"); // "|" goes first, leaving §1
    EXPECT_EQ(name("§§11X"), cp("§1X")); // one pass per code
    EXPECT_EQ(name("§§12X"), "X"); // §2 is removed after §1
    EXPECT_EQ(name("§§21X"), cp("§1X")); // but §1 is not looked at again
    EXPECT_EQ(name("§9§§19"), ""); // removing §1 makes a §9 for a later pass
    EXPECT_EQ(name("a§1§2b§0"), "ab");
    EXPECT_EQ(name("§aX§"), cp("§aX§"));
    EXPECT_EQ(name("§ 1"), cp("§ 1"));
}

TEST(ServerLineParser, RemovesRaceAndCoopEndingsAfterTheColourCodes)
{
    const auto name = [](std::string_view text) {
        return parseEntry("   [1/2] " + std::string(text) + "\r").serverName;
    };
    EXPECT_EQ(name("Fun    Race"), "Fun");
    EXPECT_EQ(name("Fun    Coop"), "Fun");
    EXPECT_EQ(name("Fun   Race"), "Fun   Race");
    EXPECT_EQ(name("Fun     Race"), "Fun ");
    EXPECT_EQ(name("A    RaceB    Coop"), "AB");
    EXPECT_EQ(name("Fun  |  Race"), "Fun");
    EXPECT_EQ(name("Fun    race"), "Fun    race");
}

TEST(ServerLineParser, VersionMarkersLastHittingRowWins)
{
    const std::pair<std::string, std::string> cases[] = {
        {"h:1 1.24   x", "1.24"},        {"h:1 1.21   x", "1.21"},     {"h:1 1.24 x x", "1.24 x"},
        {"h:1 1.21 x x", "1.21 x"},      {"h:1 1.24 s x", "1.24 s"},   {"h:1 1.21 s x", "1.21 s"},
        {"h:1 1.21\x14\x14", "1.21"},    {"h:1 1.24\x14\x14", "1.24"}, {"1.24   1.21   ", "1.21"},
        {"1.21   1.24   ", "1.21"},      {"1.21   1.24 x ", "1.24 x"}, {"1.24 s 1.21 x ", "1.24 s"},
        {"1.21 s 1.24\x14\x14", "1.24"}, {"1.24 X x", "prevversion"},  {"1.24  x", "prevversion"},
        {"1.24\x14 ", "prevversion"},    {"1.24x", "prevversion"},     {"", "prevversion"},
    };
    for (const auto& [line, version] : cases) {
        EXPECT_EQ(parseEntry("   " + line + " [1/2] n\r").version, version) << line;
    }
}

TEST(ServerLineParser, VersionOnlyInTheNameOrLastOnTheLine)
{
    EXPECT_EQ(parseEntry("   [1/2] best 1.21 s server\r").version, "1.21 s");
    EXPECT_EQ(parseEntry("   [1/2] ends in 1.24\r").version, "prevversion");
    EXPECT_EQ(parseEntry("   [1/2] ends in 1.24\r", {}).version, "");
}

TEST(ServerLineParser, GameTypeMarkersLastHittingRowWins)
{
    const std::pair<std::string, std::string> cases[] = {
        {"battle [1/2] n", "Battle"},
        {"ctf [1/2] n", "Ctf"},
        {"treasure [1/2] n", "Treasure"},
        {"battle [1/2] my ctf", "Ctf"},
        {"battle [1/2] ctf treasure", "Treasure"},
        {"x     Coop [1/2] n", "Coop"},
        {"x     Race [1/2] n", "Race"},
        {"x     Race     Coop", "Race"},
        {"treasure [1/2] n     Coop", "Coop"},
        {"Battle CTF Treasure [1/2] n", "Prevtype"},
        {"x    Coop x    Race", "Prevtype"},
    };
    for (const auto& [line, type] : cases) {
        EXPECT_EQ(parseEntry("   h:1 " + line + "\r").gameType, type) << line;
    }
}

TEST(ServerLineParser, OnlyLowerCasePrivateMakesAServerPrivate)
{
    const auto lower = parseEntry("   10.0.0.1:5 battle [1/2] my private room\r");
    EXPECT_TRUE(lower.isPrivate);
    EXPECT_EQ(lower.ipAddress, "Private");

    for (const char* word : {"Private", "PRIVATE", "priv ate"}) {
        const auto other = parseEntry("   10.0.0.1:5 battle [1/2] my " + std::string(word) + "\r");
        EXPECT_FALSE(other.isPrivate) << word;
        EXPECT_EQ(other.ipAddress, "   10.0.0.1") << word;
    }

    // No ":" is needed when the address is the private marker.
    EXPECT_EQ(parseEntry("   private\r", {}).ipAddress, "Private");
}

TEST(ServerLineParser, CarriesFieldsOverAndReportsWhatTheLineSet)
{
    using F = ParsedFields;
    ServerRecord record;

    auto fields = ParseServerLine("   10.0.0.1:5 battle 1.24   [3/16] First\r", record);
    for (auto field : {F::ServerName, F::Players, F::Version, F::GameType, F::IpAddress}) {
        EXPECT_TRUE(fields.has(field)) << field;
    }

    fields = ParseServerLine("   10.0.0.2:5 [4/16] Second\r", record);
    EXPECT_EQ(record, (ServerRecord{"Second", "Battle", "1.24", "4/16", "   10.0.0.2", false}));
    EXPECT_TRUE(fields.has(F::ServerName) && fields.has(F::Players) && fields.has(F::IpAddress));
    EXPECT_FALSE(fields.has(F::Version) || fields.has(F::GameType));

    fields = ParseServerLine("   private ctf 1.21 x [1/8] Third\r", record);
    EXPECT_EQ(record, (ServerRecord{"Third", "Ctf", "1.21 x", "1/8", "Private", true}));
    EXPECT_TRUE(fields.has(F::Version) && fields.has(F::GameType));

    // A public line without ":" keeps the private marker.
    fields = ParseServerLine("   no colon [2/8] Fourth\r", record);
    EXPECT_EQ(record, (ServerRecord{"Fourth", "Ctf", "1.21 x", "2/8", "Private", false}));
    EXPECT_FALSE(fields.has(F::IpAddress) || fields.has(F::Version) || fields.has(F::GameType));

    fields = ParseServerLine("   ", record);
    EXPECT_EQ(record, (ServerRecord{" ", "Ctf", "1.21 x", "2/8", "Private", false}));
    EXPECT_FALSE(fields.has(F::Players) || fields.has(F::IpAddress));

    // "]" last: the name is what is left of the previous one.
    fields = ParseServerLine("   [5/6]", record);
    EXPECT_EQ(record.serverName, "");
    EXPECT_EQ(record.players, "5/6");
    EXPECT_FALSE(fields.has(F::ServerName));
    EXPECT_TRUE(fields.has(F::Players));
}

TEST(ServerLineParser, AwkwardLines)
{
    const struct {
        std::string entry;
        ServerRecord record;
    } cases[] = {
        // The address is whatever stands before the first ":", even in the name.
        {"   :7000 battle 1.24   [1/16] Blank\r",
         {"Blank", "Battle", "1.24", "1/16", "   ", false}},
        {"   no colon [1/2] a:b\r",
         {"a:b", "Prevtype", "prevversion", "1/2", "   no colon [1/2] a", false}},
        // Only the first "[" and "]" count.
        {"   [1/2] a]b\r", {"a]b", "Prevtype", "prevversion", "1/2", "   9.9.9.9", false}},
        {"   h:1 [3/8] [clan] Name\r",
         {"[clan] Name", "Prevtype", "prevversion", "3/8", "   h", false}},
        {"   ][", {"", "Prevtype", "prevversion", "9/9", "   9.9.9.9", false}},
        // The entry's three leading spaces complete the game-type marker.
        {"     Race", {"    Rac", "Race", "prevversion", "9/9", "   9.9.9.9", false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseEntry(c.entry), c.record) << c.entry;
    }
}

TEST(ServerLineParser, PositionsBeyondSixteenBitsWork)
{
    const std::string padding(40000, 'a');
    const auto record = parseEntry("   " + padding + ":7 [1/2] far\r", {});
    EXPECT_EQ(record.players, "1/2");
    EXPECT_EQ(record.serverName, "far");
    EXPECT_EQ(record.ipAddress, "   " + padding);
}

// The parser looks for markers sixteen bytes at a time; a marker must be seen
// wherever it stands: across a block's edge, in the short last block, at the
// very end of the entry.
TEST(ServerLineParser, FindsMarkersAtEveryOffset)
{
    for (std::size_t at = 0; at <= 40; ++at) {
        for (std::size_t after = 0; after <= 17; after += 17) {
            // The marker `at` bytes into the entry, `after` bytes before its end.
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
    // Every byte value at every position, beside a byte that completes some
    // pair.
    for (std::size_t at = 0; at < block.size(); ++at) {
        for (int value = 0; value < 256; ++value) {
            block.fill('a');
            block[at] = static_cast<char>(value);
            ASSERT_TRUE(agree()) << "byte " << value << " at " << at;
        }
    }
    // Blocks of the bytes the pairs are made of.
    std::mt19937 random(1);
    constexpr std::string_view kBytes = "1.batcrpCoR \0";
    for (int round = 0; round < 20000; ++round) {
        for (char& c : block) {
            c = kBytes[random() % kBytes.size()];
        }
        ASSERT_TRUE(agree()) << std::string_view(block.data(), block.size());
    }
    block.fill('\0');
    EXPECT_EQ(markers::startsInBlock(block.data()), 0U);
    for (std::size_t at = 0; at < markers::kBlock; at += 2) {
        block[at] = 'R';
        block[at + 1] = 'a';
    }
    EXPECT_EQ(markers::startsInBlock(block.data()), 0x5555U);
}

} // namespace
} // namespace pollwick
