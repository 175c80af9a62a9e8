#include "listserver/ListServer.h"

#include "LoopbackClient.h"
#include "listserver/SimulatedList.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace pollwick::sim {
namespace {

using pollwick::testing::Received;
using pollwick::testing::receiveFrom;

constexpr int kWaitMs = 10000; // only reached when something is broken

class ListServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(listenOnFreeLoopback(server)); }
    Received fetch(int timeoutMs = kWaitMs, qsizetype stopAfterBytes = -1)
    {
        return receiveFrom(server.address(), server.port(), timeoutMs, stopAfterBytes);
    }

    ListServer server;
};

// --- Listening ------------------------------------------------------------

TEST_F(ListServerTest, ListensOnItsOwnLoopbackAddressAtTheListServerPort)
{
    ListServer second;
    ASSERT_TRUE(listenOnFreeLoopback(second));
    for (const ListServer* s : {&server, &second}) {
        EXPECT_EQ(s->port(), 10057);
        const quint32 ip = s->address().toIPv4Address();
        EXPECT_EQ(ip >> 8U, 0x7F0000U) << s->address().toString().toStdString();
        EXPECT_GE(ip & 0xFFU, 2U);
        EXPECT_LE(ip & 0xFFU, 254U);
    }
    EXPECT_NE(server.address(), second.address());
}

TEST_F(ListServerTest, CloseAllStopsListeningAndListenStartsAgain)
{
    const QHostAddress address = server.address();
    server.closeAll();
    EXPECT_FALSE(server.isListening());
    const Received refused = receiveFrom(address, 10057, kWaitMs);
    EXPECT_EQ(refused.error, QAbstractSocket::ConnectionRefusedError);
    EXPECT_EQ(server.connectionCount(), 0);

    ASSERT_TRUE(server.listen(address));
    server.setResponse("a\r\n");
    EXPECT_EQ(fetch().bytes, "a\r\n");
}

// --- Serving --------------------------------------------------------------

TEST_F(ListServerTest, SendsTheFixedResponseWholeThenClosesEachConnection)
{
    const QByteArray response = generatedResponse(8, 0);
    server.setResponse(response);
    QSignalSpy accepted(&server, &ListServer::connectionAccepted);
    QSignalSpy finished(&server, &ListServer::connectionFinished);
    for (int n = 1; n <= 2; ++n) {
        const Received got = fetch();
        EXPECT_EQ(got.bytes, response);
        EXPECT_TRUE(got.closedByServer);
        EXPECT_FALSE(got.timedOut);
        EXPECT_EQ(server.connectionCount(), n);
    }
    ASSERT_EQ(accepted.count(), 2);
    EXPECT_EQ(accepted.at(0).at(0).toInt(), 1);
    EXPECT_EQ(accepted.at(1).at(0).toInt(), 2);
    EXPECT_TRUE(finished.count() == 2 || finished.wait(kWaitMs));
}

TEST_F(ListServerTest, EmptyResponseUntilOneIsSet)
{
    const Received got = fetch();
    EXPECT_TRUE(got.bytes.isEmpty());
    EXPECT_TRUE(got.closedByServer);
}

TEST_F(ListServerTest, GeneratedListsChangeFromOneConnectionToTheNext)
{
    server.setGenerated(21);
    const Received first = fetch();
    const Received second = fetch();
    EXPECT_EQ(first.bytes, generatedResponse(21, 0));
    EXPECT_EQ(second.bytes, generatedResponse(21, 1));
    EXPECT_NE(first.bytes, second.bytes);
    EXPECT_EQ(server.responseFor(3), generatedResponse(21, 2));
}

TEST_F(ListServerTest, GeneratedResponseIsTheMadeUpList)
{
    EXPECT_EQ(generatedResponse(4, 2).toStdString(), simulatedResponse(4, 2));
    EXPECT_TRUE(generatedResponse(4, 2).endsWith("\r\n"));
}

TEST_F(ListServerTest, ChunkingSendsThePiecesApart)
{
    const QByteArray response = generatedResponse(5, 0).left(1200);
    server.setResponse(response);
    server.setChunking(200, 30);
    const Received got = fetch();
    EXPECT_EQ(got.bytes, response);
    EXPECT_TRUE(got.closedByServer);
    // Six pieces 30 ms apart: the client reads them in more than one go.
    EXPECT_GE(got.arrivals, 2);
}

TEST_F(ListServerTest, ChunkingWithoutDelayStillSendsEverything)
{
    const QByteArray response = generatedResponse(5, 1);
    server.setResponse(response);
    server.setChunking(7, 0);
    EXPECT_EQ(fetch().bytes, response);
}

// --- Misbehaving ----------------------------------------------------------

TEST_F(ListServerTest, NeverAnswerKeepsTheConnectionOpenAndSilent)
{
    server.setResponse("never sent\r\n");
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    // A bounded look: nothing may come within it.
    const Received got = fetch(500);
    EXPECT_TRUE(got.bytes.isEmpty());
    EXPECT_TRUE(got.timedOut);
    EXPECT_FALSE(got.closedByServer);
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST_F(ListServerTest, CloseAllDropsAConnectionThatNeverGetsAnswered)
{
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    QTcpSocket client;
    QSignalSpy accepted(&server, &ListServer::connectionAccepted);
    client.connectToHost(server.address(), server.port());
    ASSERT_TRUE(accepted.wait(kWaitMs));
    EXPECT_EQ(server.openConnections(), 1);
    QSignalSpy disconnected(&client, &QTcpSocket::disconnected);
    server.closeAll();
    EXPECT_TRUE(disconnected.count() == 1 || disconnected.wait(kWaitMs));
    EXPECT_EQ(server.openConnections(), 0);
}

TEST_F(ListServerTest, ResetMidLineBreaksOffInsideALine)
{
    const QByteArray response = generatedResponse(6, 0);
    server.setResponse(response);
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    const Received got = fetch();
    EXPECT_TRUE(got.closedByServer);
    EXPECT_FALSE(got.timedOut);
    ASSERT_FALSE(got.bytes.isEmpty());
    EXPECT_TRUE(response.startsWith(got.bytes));
    EXPECT_LT(got.bytes.size(), response.size());
    // Complete lines, then the head of one: the last byte is not an LF, and
    // the cut falls after the last complete line's LF.
    EXPECT_NE(got.bytes.back(), '\n');
    EXPECT_GT(got.bytes.count('\n'), 10);
    EXPECT_NE(response.at(got.bytes.size() - 1), '\n');
    EXPECT_EQ(got.error, QAbstractSocket::RemoteHostClosedError);
}

TEST_F(ListServerTest, ResetMidLineHonoursChunking)
{
    const QByteArray response = generatedResponse(6, 1);
    server.setResponse(response);
    server.setChunking(500, 10);
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    const Received got = fetch();
    EXPECT_TRUE(response.startsWith(got.bytes));
    EXPECT_NE(got.bytes.back(), '\n');
    EXPECT_GE(got.arrivals, 2);
}

TEST_F(ListServerTest, NeverStopRepeatsTheResponseWithoutEnd)
{
    const QByteArray response = generatedResponse(7, 0);
    server.setResponse(response);
    server.setMisbehaviour(Misbehaviour::NeverStop);
    const qsizetype wanted = response.size() * 5;
    const Received got = fetch(kWaitMs, wanted);
    EXPECT_FALSE(got.closedByServer);
    EXPECT_FALSE(got.timedOut);
    ASSERT_GE(got.bytes.size(), wanted);
    for (qsizetype at = 0; at + response.size() <= got.bytes.size(); at += response.size()) {
        ASSERT_EQ(got.bytes.mid(at, response.size()), response) << "copy at " << at;
    }
}

TEST_F(ListServerTest, EndlessLineNeverSendsALineEnd)
{
    server.setMisbehaviour(Misbehaviour::EndlessLine);
    const qsizetype wanted = qsizetype{3} << 20U;
    const Received got = fetch(kWaitMs, wanted);
    EXPECT_FALSE(got.closedByServer);
    ASSERT_GE(got.bytes.size(), wanted);
    EXPECT_EQ(got.bytes.count('\n'), 0);
    EXPECT_TRUE(got.bytes.startsWith("192.0.2.99:7999 battle 1.24   [1/16] "));
}

TEST_F(ListServerTest, GarbageIsRandomBytesWithLineEndsThenClosed)
{
    server.setGenerated(3);
    server.setMisbehaviour(Misbehaviour::Garbage);
    const Received first = fetch();
    const Received second = fetch();
    EXPECT_TRUE(first.closedByServer);
    EXPECT_EQ(first.bytes.size(), 64 * 1024);
    EXPECT_GT(first.bytes.count('\n'), 100);
    EXPECT_GT(first.bytes.count('\0'), 100);
    EXPECT_GT(first.bytes.count('\r'), 100);
    // Different for each connection.
    EXPECT_NE(first.bytes, second.bytes);
}

TEST_F(ListServerTest, OneBytePer100msSendsByteByByte)
{
    server.setResponse("ab\r\n");
    server.setChunking(1000, 0); // ignored: this misbehaviour paces itself
    server.setMisbehaviour(Misbehaviour::OneBytePer100ms);
    const Received got = fetch();
    EXPECT_EQ(got.bytes, "ab\r\n");
    EXPECT_TRUE(got.closedByServer);
    EXPECT_GE(got.arrivals, 3);
}

TEST(Misbehaviours, NamesRoundTrip)
{
    for (const Misbehaviour m :
         {Misbehaviour::None, Misbehaviour::NeverAnswer, Misbehaviour::ResetMidLine,
          Misbehaviour::NeverStop, Misbehaviour::EndlessLine, Misbehaviour::Garbage,
          Misbehaviour::OneBytePer100ms}) {
        EXPECT_EQ(misbehaviourFromName(misbehaviourName(m)), m);
    }
    EXPECT_EQ(misbehaviourFromName(u"reset-mid-line"), Misbehaviour::ResetMidLine);
    EXPECT_FALSE(misbehaviourFromName(u"Reset-Mid-Line"));
    EXPECT_FALSE(misbehaviourFromName(u""));
}

} // namespace
} // namespace pollwick::sim
