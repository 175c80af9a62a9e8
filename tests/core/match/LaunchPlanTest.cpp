// What a matched line can make the window start: the edition that plays its
// version, connecting to its own address as one argument, whatever that
// address holds; nothing for a private server, for an address of spaces
// alone, or for an address or version that an earlier line left in the
// record.
#include "core/match/LaunchPlan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pollwick {
namespace {

using E = GameEdition;

TEST(LaunchPlan, TheEditionOfTheVersionConnectsToTheLinesOwnAddress)
{
    const struct {
        std::string version;
        std::string address; // as the match test leaves it, lower-cased
        std::optional<E> edition; // none: nothing starts
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
        {"1.24 X", "   10.0.0.5", std::nullopt},
        {"", "   10.0.0.5", std::nullopt},
        // One argument, whatever it holds; only the spaces around it go.
        {"1.24", "   ; rm -rf ~ & $(reboot) `id` | sh", E::Ambrel,
         "; rm -rf ~ & $(reboot) `id` | sh"},
        {"1.24", "   10.0.0.5\r-exec\tevil", E::Ambrel, "10.0.0.5\r-exec\tevil"},
        {"1.24", "     10.0.0.5   ", E::Ambrel},
        {"1.24", "   ", std::nullopt},
        {"1.24", "private", std::nullopt},
        // A version or an address that an earlier line left.
        {"1.24", "   10.0.0.5", std::nullopt, "", false, true},
        {"1.24", "   10.0.0.5", std::nullopt, "", true, false},
    };
    for (const auto& c : cases) {
        ParsedFields fromLine;
        if (c.versionFromLine) {
            fromLine.add(ParsedFields::Version);
        }
        if (c.addressFromLine) {
            fromLine.add(ParsedFields::IpAddress);
        }
        const std::optional<LaunchPlan> plan =
            planLaunch({"Bait", "Battle", c.version, "1/16", c.address, false}, fromLine);
        ASSERT_EQ(plan.has_value(), c.edition.has_value()) << c.version << " " << c.address;
        if (plan) {
            EXPECT_EQ(plan->edition, *c.edition) << c.version;
            EXPECT_EQ(plan->connectAddress, c.argument);
        }
    }
}

} // namespace
} // namespace pollwick
