#include "match/LaunchPlan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pollwick {
namespace {

TEST(LaunchPlan, EachVersionHasItsEdition)
{
    using E = GameEdition;
    EXPECT_EQ(editionForVersion("1.21"), E::Normal);
    EXPECT_EQ(editionForVersion("1.21 s"), E::Normal);
    EXPECT_EQ(editionForVersion("1.24"), E::Ambrel);
    EXPECT_EQ(editionForVersion("1.24 s"), E::Ambrel);
    EXPECT_EQ(editionForVersion("1.21 x"), E::Corvane);
    EXPECT_EQ(editionForVersion("1.24 x"), E::Pellory);
    for (const char* other :
         {"", "1.24 X", "1.24 S", " 1.24", "1.24 ", "1.2", "1.22", "Version Select"}) {
        EXPECT_EQ(editionForVersion(other), std::nullopt) << other;
    }
    EXPECT_EQ(editionName(E::Normal), "Normal");
    EXPECT_EQ(editionName(E::Ambrel), "Ambrel");
    EXPECT_EQ(editionName(E::Corvane), "Corvane");
    EXPECT_EQ(editionName(E::Pellory), "Pellory");
}

ParsedFields versionAndAddress()
{
    ParsedFields fields;
    fields.add(ParsedFields::Version);
    fields.add(ParsedFields::IpAddress);
    return fields;
}

TEST(LaunchPlan, LaunchesOnlyWhatTheMatchedLineSupplied)
{
    const ServerRecord record{"Arena", "Battle", "1.24 x", "3/16", "   10.0.0.5", false};

    const auto plan = planLaunch(record, versionAndAddress());
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->edition, GameEdition::Pellory);
    EXPECT_EQ(plan->connectAddress, "10.0.0.5");

    ParsedFields versionOnly;
    versionOnly.add(ParsedFields::Version);
    ParsedFields addressOnly;
    addressOnly.add(ParsedFields::IpAddress);
    EXPECT_EQ(planLaunch(record, versionOnly), std::nullopt);
    EXPECT_EQ(planLaunch(record, addressOnly), std::nullopt);
    EXPECT_EQ(planLaunch(record, {}), std::nullopt);

    auto unknown = record;
    unknown.version = "1.25";
    EXPECT_EQ(planLaunch(unknown, versionAndAddress()), std::nullopt);
}

TEST(LaunchPlan, NeverLaunchesAPrivateServer)
{
    const ServerRecord record{"Arena", "Battle", "1.24", "3/16", "private", true};
    EXPECT_EQ(planLaunch(record, versionAndAddress()), std::nullopt);
}

TEST(LaunchPlan, TheAddressIsOneArgumentWithoutSurroundingSpaces)
{
    ServerRecord record{"Arena", "Battle", "1.21", "3/16", "   1.2.3.4 ; rm -rf ~", false};
    auto plan = planLaunch(record, versionAndAddress());
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->edition, GameEdition::Normal);
    EXPECT_EQ(plan->connectAddress, "1.2.3.4 ; rm -rf ~");

    record.ipAddress = "  \"a b\" -x  ";
    plan = planLaunch(record, versionAndAddress());
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->connectAddress, "\"a b\" -x");

    // A line that starts with ":" names no address at all.
    record.ipAddress = "   ";
    EXPECT_EQ(planLaunch(record, versionAndAddress()), std::nullopt);
}

} // namespace
} // namespace pollwick
