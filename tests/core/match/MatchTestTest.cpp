#include "core/match/MatchTest.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace pollwick {
namespace {

using V = MatchVerdict;

// Criteria with one text in force ("" for none), and private servers
// included or not.
MatchCriteria with(bool MatchCriteria::*use, std::string MatchCriteria::*text, std::string value,
                   bool includePrivate = false)
{
    MatchCriteria criteria;
    criteria.*use = true;
    criteria.*text = std::move(value);
    criteria.includePrivate = includePrivate;
    return criteria;
}
MatchCriteria byName(std::string text)
{
    return with(&MatchCriteria::useName, &MatchCriteria::nameText, std::move(text));
}
MatchCriteria byVersion(std::string text)
{
    return with(&MatchCriteria::useVersion, &MatchCriteria::versionText, std::move(text));
}
MatchCriteria byType(std::string text)
{
    return with(&MatchCriteria::useGameType, &MatchCriteria::gameTypeText, std::move(text));
}
MatchCriteria byAddress(std::string text, bool includePrivate = false)
{
    return with(&MatchCriteria::useAddress, &MatchCriteria::addressText, std::move(text),
                includePrivate);
}
const MatchCriteria kNone;
const MatchCriteria kAll = byAddress("", true); // every address holds the empty text

// A public server, then what differs from it.
ServerRecord server(std::string name = "xxABCxx", std::string type = "Race",
                    std::string version = "1.24", std::string players = "3/16",
                    std::string address = "   Host.Example.ORG")
{
    return {std::move(name),    std::move(type),    std::move(version),
            std::move(players), std::move(address), false};
}

TEST(MatchTest, VerdictsAndTheAlertTheyArm)
{
    const struct {
        ServerRecord record;
        MatchCriteria criteria;
        V verdict;
    } cases[] = {
        // Name, address and type are pieces of lower-cased text; nothing is
        // found in an empty field, the empty text in any other.
        {server(), byName("abc"), V::Match},
        {server(), byName("ab c"), V::NoMatch},
        {server(), byName(""), V::Match},
        {server(""), byName(""), V::NoMatch},
        {server(), byName("Server Name"), V::NoMatch},
        {server(cp1252::fromUtf8("\u00c9COLE \u0160KODA")),
         byName(cp1252::fromUtf8("\u00e9cole \u0161koda")), V::Match},
        {server(), byType("r"), V::Match},
        {server("n", "Treasure"), byType("r"), V::Match},
        {server("n", "Treasure"), byType("Race"), V::NoMatch},
        {server("n", "Battle"), byType("r"), V::NoMatch},
        {server(), byAddress("host.EXAMPLE"), V::Match},
        {server(), byAddress("   h"), V::Match},
        {server(), byAddress("10."), V::NoMatch},
        // The version is compared exactly.
        {server(), byVersion("1.24"), V::Match},
        {server("n", "Race", "1.24 x"), byVersion("1.24"), V::NoMatch},
        {server("n", "Race", "1.24 s"), byVersion("1.24 s"), V::Match},
        {server(), byVersion("1.24 X"), V::NoMatch},
        {server(), byVersion(" 1.24"), V::NoMatch},
        {server(), byVersion("1.24 "), V::NoMatch},
        {server("n", "Race", ""), byVersion(""), V::Match},
        // Private servers, told by the address alone, are passed over unless
        // included; private comes before full.
        {server("n", "Battle", "1.21", "3/16", "Private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "3/16", "Private"), byAddress("priv"), V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "3/16", "Private"), byAddress("priv", true), V::Match},
        {server("n", "Battle", "1.21", "3/16", "private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "16/16", "Private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "16/16", "Private"), kAll, V::PassedOverFull},
        // Full servers.
        {server("n", "Race", "1.24", "16/16"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "1/1"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "10/10"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", " 8 / 8 "), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "+3/3"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "-1/-1"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "2147483647/2147483647"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "0/0"), kNone, V::Match},
        {server("n", "Race", "1.24", "15/16"), kNone, V::Match},
        {server("n", "Race", "1.24", "16/15"), kNone, V::Match},
    };
    for (const auto& c : cases) {
        for (const std::int32_t armed : {0, 1}) {
            ServerRecord record = c.record;
            std::int32_t flag = armed;
            EXPECT_EQ(testRecord(record, c.criteria, flag), c.verdict)
                << c.record.serverName << " " << c.record.players << " " << c.record.ipAddress;
            // Passing over arms the alert; nothing here disarms it.
            const bool passedOver =
                c.verdict == V::PassedOverPrivate || c.verdict == V::PassedOverFull;
            EXPECT_EQ(flag, passedOver ? 1 : armed);
        }
    }
    // Counts that do not read never make a server full.
    for (const char* unreadable :
         {"", "16", "/", "3/", "/16", "x/x", "3/x", "16/16/16", "1 1/1 1", "3.0/3", "+/+",
          "--1/--1", "2147483648/2147483648", "99999999999/99999999999"}) {
        ServerRecord record = server("n", "Race", "1.24", unreadable);
        std::int32_t armed = 1;
        EXPECT_EQ(testRecord(record, kNone, armed), V::Match) << unreadable;
    }
}

TEST(MatchTest, LowerCasesTheAddressOnlyWhenAllCriteriaHold)
{
    std::int32_t armed = 1;
    ServerRecord record = server("xxABCxx", "Race", "1.24", "3/16", "   Host.\xC9XAMPLE");
    EXPECT_EQ(testRecord(record, byName("zzz"), armed), V::NoMatch);
    EXPECT_EQ(record.ipAddress, "   Host.\xC9XAMPLE");
    EXPECT_EQ(testRecord(record, kNone, armed), V::Match);
    EXPECT_EQ(record, server("xxABCxx", "Race", "1.24", "3/16", "   host.\xE9xample"));
    for (ServerRecord passedOver : {server("n", "Race", "1.24", "3/16", "Private"),
                                    server("n", "Race", "1.24", "2/2", "   Host")}) {
        testRecord(passedOver, kNone, armed);
        EXPECT_TRUE(passedOver.ipAddress == "private" || passedOver.ipAddress == "   host");
    }
}

} // namespace
} // namespace pollwick
