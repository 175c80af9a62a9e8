// The line parser is tuned for speed; these tests hold it to the plain
// reference parser on made-up lists, on hand-picked awkward entries and on
// many random ones, each parsed into a record carried over from the entry
// before, as the walk does.

#include "ReferenceParser.h"
#include "listserver/SimulatedList.h"
#include "scan/ServerLineParser.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace pollwick {
namespace {

std::string printable(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            constexpr std::string_view hex = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4U];
            out += hex[u & 0xFU];
        }
    }
    return out;
}

// Parses the entries in order with both parsers, each into its own carried
// record, and compares after every entry.
void expectSameWalk(const std::vector<std::string>& entries)
{
    ServerRecord fast;
    ServerRecord plain;
    for (const std::string& entry : entries) {
        const ParsedFields fastFields = ParseServerLine(entry, fast);
        const ParsedFields plainFields = reference::ParseServerLine(entry, plain);
        ASSERT_EQ(fast, plain) << "entry: " << printable(entry)
                               << "\nname: " << printable(fast.serverName) << " / "
                               << printable(plain.serverName);
        ASSERT_TRUE(fastFields == plainFields) << "entry: " << printable(entry);
    }
}

std::vector<std::string> entriesOf(const std::string& response)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t lf = response.find('\n'); lf != std::string::npos;
         lf = response.find('\n', start)) {
        entries.push_back("   " + response.substr(start, lf - start));
        start = lf + 1;
    }
    return entries;
}

TEST(ParserEquivalence, MadeUpLists)
{
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        for (int query = 0; query < 4; ++query) {
            expectSameWalk(entriesOf(sim::simulatedResponse(seed, query)));
        }
    }
}

TEST(ParserEquivalence, AwkwardEntries)
{
    expectSameWalk({
        "",
        " ",
        "   ",
        "]",
        "   ]",
        "   ]x",
        "   [",
        "   ][",
        "   ]3/16[ name\r",
        "   no brackets at all\r",
        // Section signs as octal escapes (\247), which end after three digits.
        "   1.2.3.4:5 battle 1.24   [3/16] \247\24711\r",
        "   1.2.3.4:5 battle 1.24   [3/16] \xA7|1x\xA7\r",
        "   1.2.3.4:5 battle 1.24   [3/16] \247\24712\r",
        "   1.2.3.4:5 battle 1.24   [3/16] \247\247\247123\247\r",
        "   a:1 1.24\x14\x14[1/2] 1.21\x14\x14\r",
        "   a:1 1.24\x14[1/2] x\r",
        "   a:1 1.24  [1/2] two spaces\r",
        "   a:1 1.24 x[1/2] no space after x\r",
        "   a:1 1.21 s 1.24 x 1.24   [1/2] three versions\r",
        "   a:1 1.24   ",
        "   a:1 1.24",
        "   a:1      Coop    Coop     Race [1/2] n    Race    Coop\r",
        "   a:1     Coop [1/2] four spaces\r",
        "        Race",
        "     Race",
        "    Race",
        "   a:1 BATTLE Ctf treasur ctf [1/2] x\r",
        "   a:1 [1/2] privat private\r",
        "   nocolon [1/2] x\r",
        "   a:1 [1/2] ||||\r",
        "   a:1 [1/2] x",
        "   a:1 [1/2]",
        "   a:1 [1/2] ",
    });
}

TEST(ParserEquivalence, RandomEntries)
{
    static constexpr std::array<std::string_view, 40> kTokens = {
        "   ",
        " ",
        "     ",
        "    ",
        "1.24",
        "1.21",
        "1.2",
        "1.",
        "1",
        "4",
        " x ",
        " s ",
        "x",
        "s",
        "\x14",
        "\x14\x14",
        "battle",
        "ctf",
        "treasure",
        "Coop",
        "Race",
        "private",
        "priv",
        "[",
        "]",
        ":",
        "|",
        "\xA7",
        "\xA7"
        "1",
        "\xA7"
        "0",
        "\xA7"
        "5",
        "\r",
        "b",
        "c",
        "t",
        "p",
        "C",
        "R",
        "3/16",
        "Name",
    };
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> token(0, kTokens.size() - 1);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int walk = 0; walk < 4000; ++walk) {
        std::vector<std::string> entries;
        for (int e = 0; e < 10; ++e) {
            std::string entry = "   ";
            const int tokens = length(random);
            for (int t = 0; t < tokens; ++t) {
                if (byte(random) < 16) {
                    entry += static_cast<char>(byte(random));
                } else {
                    entry += kTokens[token(random)];
                }
            }
            entries.push_back(std::move(entry));
        }
        expectSameWalk(entries);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace pollwick
