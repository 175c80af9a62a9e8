#include "list/ListFormat.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

namespace pollwick::listfmt {
namespace {

const ServerRecord kSpring{"Spring Arena", "Battle", "1.24", "3/16", "   192.0.2.10", false};

// Every byte, alone and all together, makes a JSON string that reads back as
// its Windows-1252 character, with nothing left raw that a terminal would act
// on.
TEST(JsonString, EveryByteMakesValidJsonThatReadsBackAsItsCharacter)
{
    std::string all;
    for (int b = 0; b <= 256; ++b) {
        const std::string bytes = b < 256 ? std::string(1, static_cast<char>(b)) : all;
        std::string literal;
        appendJsonString(literal, bytes);
        const auto value = nlohmann::json::parse(literal, nullptr, false);
        ASSERT_TRUE(value.is_string()) << "byte " << b << ": " << literal;
        EXPECT_EQ(value.get<std::string>(), cp1252::toUtf8(bytes)) << "byte " << b;
        EXPECT_TRUE(std::ranges::all_of(
            literal, [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; }))
            << "byte " << b;
        all += bytes;
    }
}

TEST(JsonLine, TheRecordKeysInOrderAndTheVerdictOnlyWhenGiven)
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
}

TEST(Table, CellsShowControlCharactersAsHexAndColumnsLineUpByCharacters)
{
    EXPECT_EQ(cellText("Bell\x07\r\n\x7F\x81"), "Bell\\x07\\x0d\\x0a\\x7f\\x81");
    // A backslash is doubled, so that no name passes for an escaped one.
    EXPECT_EQ(cellText("a\\x14"), "a\\\\x14");
    EXPECT_EQ(cellText("Caf\xE9 \xA7"), "Caf\xC3\xA9 \xC2\xA7");

    // Columns line up by characters, not bytes; walk mode adds the verdict.
    ServerRecord cafe = kSpring;
    cafe.serverName = "Caf\xE9";
    ServerTable walk(true);
    walk.add(cafe, MatchVerdict::PassedOverFull);
    walk.add(kSpring, MatchVerdict::Match);
    EXPECT_EQ(walk.render(),
              "Server Name   Type    Version  Players  IP Address     Verdict\n"
              "Caf\xC3\xA9          Battle  1.24     3/16        192.0.2.10  PassedOverFull\n"
              "Spring Arena  Battle  1.24     3/16        192.0.2.10  Match\n");
}

} // namespace
} // namespace pollwick::listfmt
