// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/match/MatchTest.h"

#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace pollwick {
namespace {

using V = MatchVerdict;

using C = MatchCriteria;

// Criteria with one text in force, and private servers included or not.
C with(bool C::*use, std::string C::*text, std::string value, bool includePrivate = false)
{
    C criteria;
    criteria.*use = true;
    criteria.*text = std::move(value);
    criteria.includePrivate = includePrivate;
    return criteria;
}
const C kNone;
const C kAll = with(&C::useAddress, &C::addressText, "", true); // every address holds ""

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
        {server(), with(&C::useName, &C::nameText, "abc"), V::Match},
        {server(), with(&C::useName, &C::nameText, "ab c"), V::NoMatch},
        {server(), with(&C::useName, &C::nameText, ""), V::Match},
        {server(""), with(&C::useName, &C::nameText, ""), V::NoMatch},
        {server(), with(&C::useName, &C::nameText, "Server Name"), V::NoMatch},
        {server(cp1252::fromUtf8("\u00c9COLE \u0160KODA")),
         with(&C::useName, &C::nameText, cp1252::fromUtf8("\u00e9cole \u0161koda")), V::Match},
        {server(), with(&C::useGameType, &C::gameTypeText, "r"), V::Match},
        {server("n", "Treasure"), with(&C::useGameType, &C::gameTypeText, "r"), V::Match},
        {server("n", "Treasure"), with(&C::useGameType, &C::gameTypeText, "Race"), V::NoMatch},
        {server("n", "Battle"), with(&C::useGameType, &C::gameTypeText, "r"), V::NoMatch},
        {server(), with(&C::useAddress, &C::addressText, "host.EXAMPLE"), V::Match},
        {server(), with(&C::useAddress, &C::addressText, "   h"), V::Match},
        {server(), with(&C::useAddress, &C::addressText, "10."), V::NoMatch},
        // The version is compared exactly.
        {server(), with(&C::useVersion, &C::versionText, "1.24"), V::Match},
        {server("n", "Race", "1.24 x"), with(&C::useVersion, &C::versionText, "1.24"), V::NoMatch},
        {server("n", "Race", "1.24 s"), with(&C::useVersion, &C::versionText, "1.24 s"), V::Match},
        {server(), with(&C::useVersion, &C::versionText, "1.24 X"), V::NoMatch},
        {server(), with(&C::useVersion, &C::versionText, " 1.24"), V::NoMatch},
        {server("n", "Race", ""), with(&C::useVersion, &C::versionText, ""), V::Match},
        // Private servers, told by the address alone, are passed over unless
        // included; private comes before full.
        {server("n", "Battle", "1.21", "3/16", "Private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "3/16", "Private"),
         with(&C::useAddress, &C::addressText, "priv"), V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "3/16", "Private"),
         with(&C::useAddress, &C::addressText, "priv", true), V::Match},
        {server("n", "Battle", "1.21", "3/16", "private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "16/16", "Private"), kNone, V::PassedOverPrivate},
        {server("n", "Battle", "1.21", "16/16", "Private"), kAll, V::PassedOverFull},
        // Full servers.
        {server("n", "Race", "1.24", "16/16"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "90/90"), kNone, V::PassedOverFull}, // every digit reads
        {server("n", "Race", "1.24", " 10 / 10 "), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "+3/3"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "-1/-1"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "2147483647/2147483647"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "-2147483648/-2147483648"), kNone, V::PassedOverFull},
        {server("n", "Race", "1.24", "0/0"), kNone, V::Match},
        {server("n", "Race", "1.24", "15/16"), kNone, V::Match},
        {server("n", "Race", "1.24", "16/15"), kNone, V::Match},
    };
    for (const auto& c : cases) {
        ServerRecord record = c.record;
        EXPECT_EQ(testRecord(record, c.criteria), c.verdict)
            << c.record.serverName << " " << c.record.players << " " << c.record.ipAddress;
    }
    // Counts that do not read never make a server full.
    for (const char* unreadable :
         {"", "16", "/", "3/", "/16", "x/x", "3/x", "16/16/16", "1 1/1 1", "3.0/3", "+/+",
          "--1/--1", "2147483648/2147483648", "99999999999/99999999999"}) {
        ServerRecord record = server("n", "Race", "1.24", unreadable);
        EXPECT_EQ(testRecord(record, kNone), V::Match) << unreadable;
    }
}

TEST(MatchTest, LowerCasesTheAddressOnlyWhenAllCriteriaHold)
{
    ServerRecord record = server("xxABCxx", "Race", "1.24", "3/16", "   Host.\xC9XAMPLE");
    EXPECT_EQ(testRecord(record, with(&C::useName, &C::nameText, "zzz")), V::NoMatch);
    EXPECT_EQ(record.ipAddress, "   Host.\xC9XAMPLE");
    EXPECT_EQ(testRecord(record, kNone), V::Match);
    EXPECT_EQ(record, server("xxABCxx", "Race", "1.24", "3/16", "   host.\xE9xample"));
    for (ServerRecord passedOver : {server("n", "Race", "1.24", "3/16", "Private"),
                                    server("n", "Race", "1.24", "2/2", "   Host")}) {
        testRecord(passedOver, kNone);
        EXPECT_TRUE(passedOver.ipAddress == "private" || passedOver.ipAddress == "   host");
    }
}

} // namespace
} // namespace pollwick
