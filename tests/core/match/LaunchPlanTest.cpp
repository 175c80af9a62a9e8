// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a matched line can make the window start: the edition that plays its
// version, connecting to its own address as one argument, and only to what
// looks like an address; nothing for a private server, or for an address or
// version that an earlier line left in the record.
#include "core/match/LaunchPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace pollwick {
namespace {

using E = GameEdition;

TEST(LaunchPlan, TheEditionOfTheVersionConnectsToTheLinesOwnAddressOnly)
{
    const struct {
        std::string version;
        std::string address; // as the match test leaves it, lower-cased
        std::variant<E, NoLaunch> expected;
        std::string argument = "10.0.0.5";
        bool versionFromLine = true;
        bool addressFromLine = true;
    } cases[] = {
        {"1.21", "   10.0.0.5", E::Normal},
        {"1.21 s", "   10.0.0.5", E::Normal},
        {"1.24", "   10.0.0.5", E::Ambrel},
        {"1.24 s", "   10.0.0.5", E::Ambrel},
        {"1.21 x", "   10.0.0.5", E::Corvane},
        {"1.24 x", "   10.0.0.5", E::Pellory},
        {"1.24 X", "   10.0.0.5", NoLaunch::NoVersion},
        {"", "   10.0.0.5", NoLaunch::NoVersion},
        // Host names and a port; only the spaces around the address go.
        {"1.24", "     10.0.0.5   ", E::Ambrel},
        {"1.24", "   play-1.wombix_eu.example:27015", E::Ambrel, "play-1.wombix_eu.example:27015"},
        {"1.24", "   x:65535", E::Ambrel, "x:65535"},
        // Every letter and digit may stand in a host name.
        {"1.24", "   ZZ-zz.09az", E::Ambrel, "ZZ-zz.09az"},
        // Anything a game could read as an option, or split, starts nothing
        // (the fuzz target of the match test holds the whole rule).
        {"1.24", "   -e", NoLaunch::NotAnAddress},
        {"1.24", "   10.0.0.5 -exec evil", NoLaunch::NotAnAddress},
        {"1.24", "   \"10.0.0.5\"", NoLaunch::NotAnAddress},
        {"1.24", "   ; rm -rf ~ & $(reboot) `id` | sh", NoLaunch::NotAnAddress},
        {"1.24", "   a..b", NoLaunch::NotAnAddress},
        {"1.24", "   x:65536", NoLaunch::NotAnAddress},
        {"1.24", "   x:", NoLaunch::NotAnAddress},
        {"1.24", "   x:2701a", NoLaunch::NotAnAddress},
        {"1.24", "   x:123456", NoLaunch::NotAnAddress},
        {"1.24", "   " + std::string(254, 'a'), NoLaunch::NotAnAddress},
        {"1.24", "   " + std::string(253, 'a'), E::Ambrel, std::string(253, 'a')},
        {"1.24", "   ", NoLaunch::NoAddress},
        {"1.24", "private", NoLaunch::PrivateServer},
        // A version or an address that an earlier line left.
        {"1.24", "   10.0.0.5", NoLaunch::NoVersion, "", false, true},
        {"1.24", "   10.0.0.5", NoLaunch::NoAddress, "", true, false},
    };
    for (const auto& c : cases) {
        ParsedFields fromLine;
        if (c.versionFromLine) {
            fromLine.add(ParsedFields::Version);
        }
        if (c.addressFromLine) {
            fromLine.add(ParsedFields::IpAddress);
        }
        const auto decision =
            planLaunch({"Bait", "Battle", c.version, "1/16", c.address, false}, fromLine);
        if (const auto* edition = std::get_if<E>(&c.expected)) {
            const auto* plan = std::get_if<LaunchPlan>(&decision);
            ASSERT_NE(plan, nullptr) << c.version << " " << c.address;
            EXPECT_EQ(plan->edition, *edition) << c.version;
            EXPECT_EQ(plan->connectAddress, c.argument);
        } else {
            const auto* refused = std::get_if<NoLaunch>(&decision);
            ASSERT_NE(refused, nullptr) << c.version << " " << c.address;
            EXPECT_EQ(*refused, std::get<NoLaunch>(c.expected)) << c.version << " " << c.address;
        }
    }
}

} // namespace
} // namespace pollwick
