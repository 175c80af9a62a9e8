#include "core/match/MatchTest.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace pollwick {
namespace {

using V = MatchVerdict;

ServerRecord publicServer()
{
    return {"xxABCxx", "Race", "1.24", "3/16", "   Host.Example.ORG", false};
}

ServerRecord privateServer()
{
    return {"Hidden", "Battle", "1.21", "3/16", "Private", true};
}

// The verdict for a record, with the alert armed or not.
V verdict(ServerRecord record, const MatchCriteria& criteria, std::int32_t armed = 1)
{
    return testRecord(record, criteria, armed);
}

// Criteria with one text in force.
MatchCriteria with(bool MatchCriteria::*use, std::string MatchCriteria::*text, std::string value)
{
    MatchCriteria criteria;
    criteria.*use = true;
    criteria.*text = std::move(value);
    return criteria;
}
const auto byName = [](std::string t) {
    return with(&MatchCriteria::useName, &MatchCriteria::nameText, std::move(t));
};
const auto byVersion = [](std::string t) {
    return with(&MatchCriteria::useVersion, &MatchCriteria::versionText, std::move(t));
};
const auto byGameType = [](std::string t) {
    return with(&MatchCriteria::useGameType, &MatchCriteria::gameTypeText, std::move(t));
};
const auto byAddress = [](std::string t) {
    return with(&MatchCriteria::useAddress, &MatchCriteria::addressText, std::move(t));
};

TEST(MatchTest, NameAddressAndTypeArePiecesOfLowerCasedText)
{
    EXPECT_EQ(verdict(publicServer(), byName("abc")), V::Match);
    EXPECT_EQ(verdict(publicServer(), byName("ab c")), V::NoMatch);
    EXPECT_EQ(verdict(publicServer(), byName("")), V::Match);
    auto unnamed = publicServer();
    unnamed.serverName.clear();
    EXPECT_EQ(verdict(unnamed, byName("")), V::NoMatch);
    EXPECT_EQ(verdict(publicServer(), byName("Server Name")), V::NoMatch);

    EXPECT_EQ(verdict(publicServer(), byGameType("Race")), V::Match);
    EXPECT_EQ(verdict(publicServer(), byGameType("r")), V::Match);
    auto treasure = publicServer();
    treasure.gameType = "Treasure";
    EXPECT_EQ(verdict(treasure, byGameType("r")), V::Match);
    EXPECT_EQ(verdict(treasure, byGameType("Race")), V::NoMatch);
    treasure.gameType = "Battle";
    EXPECT_EQ(verdict(treasure, byGameType("r")), V::NoMatch);

    EXPECT_EQ(verdict(publicServer(), byAddress("host.EXAMPLE")), V::Match);
    EXPECT_EQ(verdict(publicServer(), byAddress("   h")), V::Match);
    EXPECT_EQ(verdict(publicServer(), byAddress("10.")), V::NoMatch);

    auto accented = publicServer();
    accented.serverName = cp1252::fromUtf8("ÉCOLE ŠKODA");
    EXPECT_EQ(verdict(accented, byName(cp1252::fromUtf8("école škoda"))), V::Match);
}

TEST(MatchTest, VersionIsComparedExactly)
{
    auto record = publicServer();
    for (const char* version : {"1.21", "1.21 x", "1.21 s", "1.24", "1.24 x", "1.24 s"}) {
        record.version = version;
        EXPECT_EQ(verdict(record, byVersion("1.24")),
                  std::string_view(version) == "1.24" ? V::Match : V::NoMatch)
            << version;
        EXPECT_EQ(verdict(record, byVersion("1.24 X")), V::NoMatch) << version;
        EXPECT_EQ(verdict(record, byVersion(version)), V::Match) << version;
    }
    record.version = "1.24";
    EXPECT_EQ(verdict(record, byVersion(" 1.24")), V::NoMatch);
    EXPECT_EQ(verdict(record, byVersion("1.24 ")), V::NoMatch);
    record.version.clear();
    EXPECT_EQ(verdict(record, byVersion("")), V::Match);
}

TEST(MatchTest, PrivateServersArePassedOverUnlessIncluded)
{
    EXPECT_EQ(verdict(privateServer(), {}), V::PassedOverPrivate);
    EXPECT_EQ(verdict(privateServer(), byAddress("priv")), V::PassedOverPrivate);

    auto included = byAddress("priv");
    included.includePrivate = true;
    EXPECT_EQ(verdict(privateServer(), included), V::Match);

    // The address decides, not the flag.
    auto flagOnly = publicServer();
    flagOnly.isPrivate = true;
    EXPECT_EQ(verdict(flagOnly, {}), V::Match);
    auto carried = publicServer();
    carried.ipAddress = "private";
    EXPECT_EQ(verdict(carried, {}), V::PassedOverPrivate);

    // Private comes before full.
    auto full = privateServer();
    full.players = "16/16";
    EXPECT_EQ(verdict(full, {}), V::PassedOverPrivate);
    MatchCriteria includeAll;
    includeAll.includePrivate = true;
    EXPECT_EQ(verdict(full, includeAll), V::PassedOverFull);
}

TEST(MatchTest, FullServersArePassedOver)
{
    auto record = publicServer();
    const auto withPlayers = [&](const char* players) {
        record.players = players;
        return verdict(record, {});
    };
    EXPECT_EQ(withPlayers("16/16"), V::PassedOverFull);
    EXPECT_EQ(withPlayers("1/1"), V::PassedOverFull);
    EXPECT_EQ(withPlayers(" 8 / 8 "), V::PassedOverFull);
    EXPECT_EQ(withPlayers("-1/-1"), V::PassedOverFull);
    EXPECT_EQ(withPlayers("0/0"), V::Match);
    EXPECT_EQ(withPlayers("15/16"), V::Match);
    EXPECT_EQ(withPlayers("12/16"), V::Match);
    EXPECT_EQ(withPlayers("16/15"), V::Match);
    EXPECT_EQ(withPlayers("+3/3"), V::PassedOverFull);
    EXPECT_EQ(withPlayers("2147483647/2147483647"), V::PassedOverFull);
    // Counts that do not read never make a server full.
    for (const char* unreadable :
         {"", "16", "/", "3/", "/16", "x/x", "3/x", "16/16/16", "1 1/1 1", "3.0/3", "+/+",
          "--1/--1", "2147483648/2147483648", "99999999999/99999999999"}) {
        EXPECT_EQ(withPlayers(unreadable), V::Match) << unreadable;
    }
}

TEST(MatchTest, ArmsOnPassOversAndNeverDisarms)
{
    const auto armedAfter = [](ServerRecord record, const MatchCriteria& criteria,
                               std::int32_t armed) {
        testRecord(record, criteria, armed);
        return armed;
    };
    auto full = publicServer();
    full.players = "4/4";
    EXPECT_EQ(armedAfter(privateServer(), {}, 0), 1);
    EXPECT_EQ(armedAfter(full, {}, 0), 1);
    EXPECT_EQ(armedAfter(full, {}, 1), 1);
    EXPECT_EQ(armedAfter(publicServer(), byName("zzz"), 0), 0);
    EXPECT_EQ(armedAfter(publicServer(), byName("zzz"), 1), 1);
    EXPECT_EQ(armedAfter(privateServer(), byName("zzz"), 0), 0);
    EXPECT_EQ(armedAfter(publicServer(), {}, 0), 0);
    EXPECT_EQ(armedAfter(publicServer(), {}, 1), 1);
}

TEST(MatchTest, LowerCasesTheAddressOnlyWhenAllCriteriaHold)
{
    std::int32_t armed = 1;
    auto record = publicServer();
    record.ipAddress = "   Host.\xC9XAMPLE";
    EXPECT_EQ(testRecord(record, byName("zzz"), armed), V::NoMatch);
    EXPECT_EQ(record.ipAddress, "   Host.\xC9XAMPLE");
    EXPECT_EQ(testRecord(record, {}, armed), V::Match);
    EXPECT_EQ(record.ipAddress, "   host.\xE9xample");
    EXPECT_EQ(record.serverName, "xxABCxx");

    auto priv = privateServer();
    EXPECT_EQ(testRecord(priv, {}, armed), V::PassedOverPrivate);
    EXPECT_EQ(priv.ipAddress, "private");

    auto full = publicServer();
    full.players = "2/2";
    EXPECT_EQ(testRecord(full, {}, armed), V::PassedOverFull);
    EXPECT_EQ(full.ipAddress, "   host.example.org");
}

} // namespace
} // namespace pollwick
