// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window and a list server from end to end: the queries over a real
// socket, and the rows that each response becomes, however it arrives.
#include "ListServerWindow.h"

namespace pollwick::test {
namespace {

// Four complete lines and an unfinished one: CR LF and LF-only line ends, a
// colour-coded name, a private server and a Windows-1252 name.
const QByteArray kFourLines = "192.0.2.10:27015 battle 1.24   [3/16] \xa7"
                              "1Spring |Arena\r\n"
                              "private 192.0.2.11:27016 ctf 1.21 x [16/16] Hidden Den\r\n"
                              "198.51.100.7:7000 treasure 1.21 s [0/8] Gold Mine\n"
                              "203.0.113.5:7001      Race 1.24   [12/16] Speed \xe9lite\r\n"
                              "203.0.113.6:7002 battle 1.24   [1/8] Cut Off";

const std::vector<QStringList> kFourRows = {
    {"Spring Arena", "Battle", "1.24", "3/16", "   192.0.2.10"},
    {"Hidden Den", "Ctf", "1.21 x", "16/16", "Private"},
    // LF alone: the name loses its own last character.
    {"Gold Min", "Treasure", "1.21 s", "0/8", "   198.51.100.7"},
    {QStringLiteral("Speed \u00e9lite"), "Race", "1.24", "12/16", "   203.0.113.5"},
};

using ExchangeEndToEnd = ListServerWindow;

TEST_F(ExchangeEndToEnd, GoQueriesAtOnceAndEachTickAgainReplacingTheRows)
{
    matchNothing();
    server.setResponse(kFourLines);
    click(form->goButton);
    // No timer has ticked: "Go" itself makes the first query.
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(form->requeryTimer->interval(), 5000);
    EXPECT_EQ(rows(), kFourRows);

    // No version marker: nothing is carried over from the last response.
    server.setResponse("192.0.2.99:7000 ctf [1/4] Lone Wolf\r\n");
    refresh();
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(rows(), (std::vector<QStringList>{{"Lone Wolf", "Ctf", "", "1/4", "   192.0.2.99"}}));
    // The status line tells when the list came and how many servers it held.
    EXPECT_EQ(form->statusLabel->text(), QStringLiteral("12:00:00  1 server listed"));
    EXPECT_EQ(form->session().state(), ScanState::Scanning);
}

} // namespace
} // namespace pollwick::test
