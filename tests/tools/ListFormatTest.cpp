#include "list/ListFormat.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace pollwick::listfmt {
namespace {

std::string jsonString(std::string_view bytes)
{
    std::string out;
    appendJsonString(out, bytes);
    return out;
}

// Parses `literal` as a JSON string; empty optional when it is not valid JSON.
std::optional<std::string> parseJsonString(const std::string& literal)
{
    const auto value = nlohmann::json::parse(literal, nullptr, false);
    if (!value.is_string()) {
        return std::nullopt;
    }
    return value.get<std::string>();
}

ServerRecord sampleRecord()
{
    ServerRecord record;
    record.serverName = "Spring Arena";
    record.gameType = "Battle";
    record.version = "1.24";
    record.players = "3/16";
    record.ipAddress = "   192.0.2.10";
    return record;
}

// --- JSON -------------------------------------------------------------------

TEST(JsonString, EveryByteMakesValidJsonThatReadsBackAsItsCharacter)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string literal = jsonString(one);
        const auto parsed = parseJsonString(literal);
        ASSERT_TRUE(parsed.has_value()) << "byte " << b << ": " << literal;
        EXPECT_EQ(*parsed, cp1252::toUtf8(one)) << "byte " << b;
        // Nothing that a terminal would act on is left raw.
        for (const char c : literal) {
            const auto u = static_cast<unsigned char>(c);
            EXPECT_TRUE(u >= 0x20 && u != 0x7F) << "byte " << b;
        }
        all += one;
    }
    EXPECT_EQ(parseJsonString(jsonString(all)), cp1252::toUtf8(all));
}

TEST(JsonLine, TheRecordKeysInOrderAndTheVerdictOnlyWhenGiven)
{
    ServerRecord record = sampleRecord();
    EXPECT_EQ(jsonLine(record, std::nullopt),
              R"({"serverName":"Spring Arena","gameType":"Battle","version":"1.24",)"
              R"("players":"3/16","ipAddress":"   192.0.2.10","isPrivate":false})"
              "\n");
    record.isPrivate = true;
    EXPECT_TRUE(jsonLine(record, MatchVerdict::PassedOverFull)
                    .ends_with(R"("isPrivate":true,"verdict":"PassedOverFull"})"
                               "\n"));
}

// --- Table ----------------------------------------------------------------

TEST(Table, CellsShowControlCharactersAsHexAndKeepLetters)
{
    EXPECT_EQ(cellText("Bell\x07Name"), "Bell\\x07Name");
    EXPECT_EQ(cellText("\r\n\x7F\x81"), "\\x0d\\x0a\\x7f\\x81");
    // A backslash is doubled, so that no name passes for an escaped one.
    EXPECT_EQ(cellText("a\\x14"), "a\\\\x14");
    EXPECT_EQ(cellText("Caf\xE9 \xA7"), "Caf\xC3\xA9 \xC2\xA7");
}

TEST(Table, ColumnsLineUpByCharactersAndShowVerdictsOnlyInWalkMode)
{
    ServerTable list(false);
    ServerRecord a = sampleRecord();
    a.serverName = "Caf\xE9";
    ServerRecord b = sampleRecord();
    b.serverName = "Cafe Long Name";
    b.gameType = "Treasure";
    list.add(a);
    list.add(b);
    EXPECT_EQ(list.render(),
              "Server Name     Type      Version  Players  IP Address\n"
              "Caf\xC3\xA9            Battle    1.24     3/16        192.0.2.10\n"
              "Cafe Long Name  Treasure  1.24     3/16        192.0.2.10\n");

    ServerTable walk(true);
    walk.add(sampleRecord(), MatchVerdict::PassedOverFull);
    walk.add(sampleRecord(), MatchVerdict::Match);
    EXPECT_EQ(walk.render(),
              "Server Name   Type    Version  Players  IP Address     Verdict\n"
              "Spring Arena  Battle  1.24     3/16        192.0.2.10  PassedOverFull\n"
              "Spring Arena  Battle  1.24     3/16        192.0.2.10  Match\n");
}

} // namespace
} // namespace pollwick::listfmt
