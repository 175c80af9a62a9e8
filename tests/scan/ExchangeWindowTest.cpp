// The window against a list server on loopback: connections, the rows that a
// response becomes, responses cut into pieces, and list servers that send
// rubbish, nothing, or never stop.
#include "ListServerWindow.h"
#include "listserver/SimulatedList.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "scan/ListExchange.h"
#include "scan/ResponseWalk.h"
#include "scan/ScanController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>

namespace pollwick {
namespace {

using sim::Misbehaviour;

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

const QByteArray kGoodLine = "192.0.2.50:7000 coop 1.21      Coop [2/6] Back Again\r\n";
const QStringList kGoodRow = {"Back Again", "Coop", "1.21", "2/6", "   192.0.2.50"};

class ExchangeWindowTest : public test::ListServerWindow
{
protected:
    // The scan goes on, and the next query, to a well-behaved server, lists
    // its response as usual.
    void expectNextQueryFine()
    {
        EXPECT_EQ(form->scan().state(), ScanState::Scanning);
        server.setMisbehaviour(Misbehaviour::None);
        server.setChunking(0, 0);
        server.setResponse(kGoodLine);
        const int next = server.connectionCount() + 1;
        fire(*form->Refresh1);
        ASSERT_TRUE(waitForResponse(next));
        EXPECT_EQ(rows(), std::vector<QStringList>{kGoodRow});
        EXPECT_EQ(form->scan().state(), ScanState::Scanning);
        EXPECT_EQ(form->Refresh1->interval(), 5000);
    }
};

// --- Connections -------------------------------------------------------------

TEST_F(ExchangeWindowTest, GoConnectsAtOnceAndEachRefreshTickConnectsAgain)
{
    matchNothing();
    server.setResponse(kFourLines);
    click(form->Command1);
    // No timer has ticked: "Go" itself makes the first query.
    ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == 1; }, test::kWaitMs));
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(form->Refresh1->interval(), 5000);

    fire(*form->Refresh1);
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(server.connectionCount(), 2);
    EXPECT_EQ(rows(), kFourRows);
}

// --- Rows of a response ------------------------------------------------------

TEST_F(ExchangeWindowTest, EveryCompleteLineBecomesARowInOrder)
{
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());

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
    fire(*form->Refresh1);
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_LT(form->exchange().List().size(), static_cast<std::size_t>(response.size()));
    EXPECT_EQ(rows(), whole);
}

TEST_F(ExchangeWindowTest, ANewConnectionReplacesTheRowsAndStartsAFreshRecord)
{
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(rows().size(), 4U);

    // No version marker: nothing is carried over from the last response.
    server.setResponse("192.0.2.99:7000 ctf [1/4] Lone Wolf\r\n");
    fire(*form->Refresh1);
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(rows(), (std::vector<QStringList>{{"Lone Wolf", "Ctf", "", "1/4", "   192.0.2.99"}}));
}

TEST_F(ExchangeWindowTest, AResponseWithoutALineFeedListsAndTestsNothing)
{
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());
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

// --- Broken and hostile list servers -----------------------------------------

TEST_F(ExchangeWindowTest, GarbageLeavesTheWindowWorking)
{
    matchNothing();
    server.setMisbehaviour(Misbehaviour::Garbage);
    ASSERT_TRUE(goAndWait());
    expectNextQueryFine();
}

TEST_F(ExchangeWindowTest, GarbageThatMatchesAlertsAndLaunchesNothingStray)
{
    // Every box unticked: the first line of garbage that is neither private
    // nor full is a match.
    for (QCheckBox* alert : {form->WaveCheck, form->MsgCheck, form->WombixCheck}) {
        click(alert);
    }
    server.setMisbehaviour(Misbehaviour::Garbage);
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(form->scan().state(), ScanState::Ready);
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    EXPECT_EQ(platform.sounds.played.size(), 1);
    for (const auto& started : platform.games.started) {
        EXPECT_EQ(started.arguments.size(), 2);
        EXPECT_EQ(started.arguments.value(0), QStringLiteral("-connect"));
    }
}

TEST_F(ExchangeWindowTest, ASilentServerKeepsTheLastRowsUntilTheNextQueryCutsItOff)
{
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());

    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    fire(*form->Refresh1);
    ASSERT_TRUE(test::waitUntil([&] { return server.openConnections() == 1; }, test::kWaitMs));
    EXPECT_EQ(rows(), kFourRows);
    EXPECT_TRUE(form->Winsock1->isOpen());

    expectNextQueryFine();
    EXPECT_TRUE(test::waitUntil([&] { return server.openConnections() == 0; }, test::kWaitMs));
}

TEST_F(ExchangeWindowTest, AConnectionResetMidLineListsTheCompleteLines)
{
    // Six lines of one length: the server cuts the fourth in half.
    QByteArray response;
    std::vector<QStringList> expected;
    for (int i = 1; i <= 6; ++i) {
        response +=
            QStringLiteral("192.0.2.%1:7000 battle 1.24   [%1/9] Line %1\r\n").arg(i).toLatin1();
        if (i <= 3) {
            expected.push_back({QStringLiteral("Line %1").arg(i), "Battle", "1.24",
                                QStringLiteral("%1/9").arg(i),
                                QStringLiteral("   192.0.2.%1").arg(i)});
        }
    }
    matchNothing();
    server.setResponse(response);
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(rows(), expected);
    expectNextQueryFine();
}

TEST_F(ExchangeWindowTest, AServerThatNeverStopsFillsTheListOnlyToItsLimit)
{
    matchNothing();
    server.setResponse(kGoodLine);
    server.setMisbehaviour(Misbehaviour::NeverStop);
    click(form->Command1);
    const ResponseWalk& walk = form->exchange().walk();
    ASSERT_TRUE(test::waitUntil(
        [&] { return form->ListView1->rows() == 32767 && walk.discardedLines() > 1000; },
        2 * test::kWaitMs));
    EXPECT_EQ(walk.entriesInResponse(), 32767U);
    expectNextQueryFine();
}

TEST_F(ExchangeWindowTest, AnEndlessLineIsDroppedAndNothingListed)
{
    std::size_t received = 0;
    const std::function<void()> handle = form->Winsock1->onDataArrival;
    form->Winsock1->onDataArrival = [&] {
        handle();
        received += form->exchange().List().size();
    };
    matchNothing();
    server.setMisbehaviour(Misbehaviour::EndlessLine);
    click(form->Command1);
    // Well past the longest line the window keeps.
    ASSERT_TRUE(
        test::waitUntil([&] { return received > (std::size_t{3} << 20U); }, 2 * test::kWaitMs));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(form->exchange().walk().entriesInResponse(), 0U);
    expectNextQueryFine();
}

TEST_F(ExchangeWindowTest, ALineOverTheLengthLimitIsDroppedWholeAndTheRestListed)
{
    const QByteArray huge = "192.0.2.66:7000 battle 1.24   [1/8] " + QByteArray(3 << 19, 'W');
    matchNothing();
    server.setResponse(kFourLines.left(kFourLines.indexOf('\n') + 1) + huge + "\r\n" + kGoodLine);
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(rows(), (std::vector<QStringList>{kFourRows[0], kGoodRow}));
    EXPECT_EQ(form->exchange().walk().discardedLines(), 1U);
}

TEST_F(ExchangeWindowTest, ARefusedConnectionIsRetriedAndTheNextHostWorks)
{
    // Nothing listens on this loopback address: every connect is refused.
    const QString listServer = form->RemHost->currentText();
    replaceText(form->RemHost, QStringLiteral("127.0.3.1"));
    click(form->Command1);
    ASSERT_TRUE(test::waitUntil([&] { return !form->Winsock1->isOpen(); }, test::kWaitMs));
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    fire(*form->Refresh1);
    ASSERT_TRUE(test::waitUntil([&] { return !form->Winsock1->isOpen(); }, test::kWaitMs));
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);

    click(form->Command2);
    replaceText(form->RemHost, listServer);
    matchNothing();
    server.setResponse(kFourLines);
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(rows(), kFourRows);
}

} // namespace
} // namespace pollwick
