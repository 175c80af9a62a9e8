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
using F = ParsedFields;

struct Case {
    std::string version;
    std::string address; // as the match test leaves it, lower-cased
    std::optional<E> edition; // none: nothing starts
    std::string argument;
    ParsedFields fromLine;
};

ParsedFields both()
{
    ParsedFields fields;
    fields.add(F::Version);
    fields.add(F::IpAddress);
    return fields;
}

ParsedFields only(F::Field field)
{
    ParsedFields fields;
    fields.add(field);
    return fields;
}

TEST(LaunchPlan, TheEditionOfTheVersionConnectsToTheLinesOwnAddress)
{
    const Case cases[] = {
        {"1.21", "   10.0.0.5", E::Normal, "10.0.0.5", both()},
        {"1.21 s", "   10.0.0.5", E::Normal, "10.0.0.5", both()},
        {"1.24", "   10.0.0.5", E::Ambrel, "10.0.0.5", both()},
        {"1.24 s", "   10.0.0.5", E::Ambrel, "10.0.0.5", both()},
        {"1.21 x", "   10.0.0.5", E::Corvane, "10.0.0.5", both()},
        {"1.24 x", "   10.0.0.5", E::Pellory, "10.0.0.5", both()},
        {"1.24 X", "   10.0.0.5", std::nullopt, "", both()},
        {"", "   10.0.0.5", std::nullopt, "", both()},
        // The address is one argument, whatever it holds; only the spaces
        // around it go.
        {"1.24", "   ; rm -rf ~ & $(reboot) `id` | sh", E::Ambrel,
         "; rm -rf ~ & $(reboot) `id` | sh", both()},
        {"1.24", "   \"10.0.0.5\" \"-exec\" 'x'", E::Ambrel, "\"10.0.0.5\" \"-exec\" 'x'", both()},
        {"1.24", "   -connect 6.6.6.6 -exec evil.exe", E::Ambrel, "-connect 6.6.6.6 -exec evil.exe",
         both()},
        {"1.24", "   10.0.0.5\r-exec\tevil", E::Ambrel, "10.0.0.5\r-exec\tevil", both()},
        {"1.24", "     10.0.0.5   ", E::Ambrel, "10.0.0.5", both()},
        {"1.24", "   ", std::nullopt, "", both()},
        {"1.24", "private", std::nullopt, "", both()},
        // A version or an address that an earlier line left.
        {"1.24", "   10.0.0.5", std::nullopt, "", only(F::IpAddress)},
        {"1.24", "   10.0.0.5", std::nullopt, "", only(F::Version)},
    };
    for (const Case& c : cases) {
        const ServerRecord matched{"Bait", "Battle", c.version, "1/16", c.address, false};
        const std::optional<LaunchPlan> plan = planLaunch(matched, c.fromLine);
        ASSERT_EQ(plan.has_value(), c.edition.has_value()) << c.version << " " << c.address;
        if (plan) {
            EXPECT_EQ(plan->edition, *c.edition) << c.version;
            EXPECT_EQ(plan->connectAddress, c.argument);
        }
    }
}

} // namespace
} // namespace pollwick
