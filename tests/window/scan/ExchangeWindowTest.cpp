// The window against a well-behaved list server on loopback: the queries,
// the rows that a response becomes, and responses cut into pieces. List
// servers that fail or misbehave are in tests/hostile.
#include "ListServerWindow.h"
#include "listserver/SimulatedList.h"
#include "platform/Timer.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"

#include <QCheckBox>
#include <QPushButton>

namespace pollwick {
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

using ExchangeWindowTest = test::ListServerWindow;

TEST_F(ExchangeWindowTest, GoQueriesAtOnceAndEachTickQueriesAgainReplacingTheRows)
{
    matchNothing();
    server.setResponse(kFourLines);
    click(form->Command1);
    // No timer has ticked: "Go" itself makes the first query.
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(form->Refresh1->interval(), 5000);
    EXPECT_EQ(rows(), kFourRows);
    const std::vector<std::string> entries = {
        "   192.0.2.10:27015 battle 1.24   [3/16] \xa7"
        "1Spring |Arena\r",
        "   private 192.0.2.11:27016 ctf 1.21 x [16/16] Hidden Den\r",
        "   198.51.100.7:7000 treasure 1.21 s [0/8] Gold Mine",
        "   203.0.113.5:7001      Race 1.24   [12/16] Speed \xe9lite\r",
    };
    EXPECT_EQ(std::vector<std::string>(form->exchange().ServList().begin(),
                                       form->exchange().ServList().end()),
              entries);
    EXPECT_EQ(form->exchange().List(), kFourLines.toStdString());

    // No version marker: nothing is carried over from the last response.
    server.setResponse("192.0.2.99:7000 ctf [1/4] Lone Wolf\r\n");
    refresh();
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(rows(), (std::vector<QStringList>{{"Lone Wolf", "Ctf", "", "1/4", "   192.0.2.99"}}));
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
}

TEST_F(ExchangeWindowTest, AResponseInSmallPiecesGivesTheSameRowsAsOnePiece)
{
    // A realistic list: colour codes, control-character version markers,
    // every game type.
    const QByteArray response = sim::generatedResponse(7, 0);
    matchNothing();
    server.setResponse(response);
    ASSERT_TRUE(goAndWait());
    const std::vector<QStringList> whole = rows();
    ASSERT_EQ(static_cast<qsizetype>(whole.size()), response.count('\n'));

    // 29 bytes at a time cut lines everywhere, between CR and LF too.
    server.setChunking(29, 2);
    refresh();
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_LT(form->exchange().List().size(), static_cast<std::size_t>(response.size()));
    EXPECT_EQ(rows(), whole);
}

TEST_F(ExchangeWindowTest, AResponseWithoutALineFeedClearsTheRowsAndTestsNothing)
{
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(rows().size(), 4U);
    click(form->Command2);
    // With every box unticked, any listed server would be a match.
    click(form->VersionCheck);
    server.setResponse("192.0.2.10:27015 battle 1.24   [3/16] Solo\r");
    ASSERT_TRUE(goAndWait());
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(form->exchange().ServList().empty());
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_EQ(form->MatchArmed, 1);
}

} // namespace
} // namespace pollwick
