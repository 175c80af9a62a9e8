// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/match/MatchAlerts.h"

#include "core/settings/GamePaths.h"

#include <gtest/gtest.h>

#include <string>

namespace pollwick {
namespace {

ParsedFields allFields()
{
    ParsedFields fields;
    for (const auto field : {ParsedFields::ServerName, ParsedFields::Players, ParsedFields::Version,
                             ParsedFields::GameType, ParsedFields::IpAddress}) {
        fields.add(field);
    }
    return fields;
}

ServerRecord matched(std::string version, std::string address)
{
    ServerRecord record;
    record.serverName = "Arena";
    record.players = "3/16";
    record.version = std::move(version);
    record.ipAddress = std::move(address);
    return record;
}

TEST(MatchAlerts, TheNotificationTellsOnlyWhatTheMatchedLineGave)
{
    ServerRecord record = matched("1.24", "   10.0.0.5");
    record.serverName = std::string("  Dusk\0Arena ", 13);
    EXPECT_EQ(serverUpText(record, allFields()), "Dusk\u2400Arena\n3/16 players\n10.0.0.5");
    EXPECT_EQ(serverUpText(matched("1.24", "private"), allFields()),
              "Arena\n3/16 players\nprivate server");
    ParsedFields nameOnly;
    nameOnly.add(ParsedFields::ServerName);
    EXPECT_EQ(serverUpText(record, nameOnly), "Dusk\u2400Arena");

    EXPECT_FALSE(asksForAttention({}));
    EXPECT_TRUE(asksForAttention({false, false, true}));
}

TEST(MatchAlerts, TheGameStartsWithItsEditionsPathOrTheLineSaysWhyNot)
{
    GamePaths paths;
    paths.ambrel = "C:\\Games\\Wombix 1.24\\wombix.exe";
    ParsedFields noVersion = allFields();
    noVersion = {};
    noVersion.add(ParsedFields::IpAddress);
    const struct {
        ServerRecord record;
        ParsedFields fromLine;
        LaunchDecision decision;
        std::string why;
    } cases[] = {
        {matched("1.24", "   10.0.0.5"), allFields(),
         GameStart{"C:\\Games\\Wombix 1.24\\wombix.exe", "10.0.0.5"}, ""},
        {matched("1.24 s", "   host.example:7"), allFields(),
         GameStart{"C:\\Games\\Wombix 1.24\\wombix.exe", "host.example:7"}, ""},
        {matched("1.21", "   10.0.0.5"), allFields(), NoStart::NoPath,
         "no game path is set for 1.21 (Wombix Paths)"},
        {matched("private", "private"), allFields(), NoLaunch::PrivateServer,
         "the server is private"},
        // The row shows 1.24, carried over from an earlier line.
        {matched("1.24", "   10.0.0.5"), noVersion, NoLaunch::NoVersion,
         "its line gives no version"},
        {matched("1.24", "   -x"), allFields(), NoLaunch::NotAnAddress, "\"-x\" is not an address"},
    };
    for (const auto& c : cases) {
        const LaunchDecision decision = decideLaunch(c.record, c.fromLine, paths);
        EXPECT_EQ(decision, c.decision) << c.why;
        EXPECT_EQ(whyNotStarted(decision, c.record), c.why);
    }
    EXPECT_EQ(cannotBeStarted({"/no/such/wombix.exe", "10.0.0.5"}),
              "/no/such/wombix.exe cannot be started");
}

} // namespace
} // namespace pollwick
