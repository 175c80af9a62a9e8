// The stand-in list server, read by a plain TCP client on loopback: what each
// misbehaviour sends. How it serves a list is checked by every window test.
#include "listserver/ListServer.h"

#include "listserver/SimulatedList.h"

#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace pollwick::sim {
namespace {

constexpr int kWaitMs = 10000; // only reached when something is broken

// What a plain TCP client got from one connection.
struct Received {
    QByteArray bytes;
    int arrivals = 0; // reads that brought bytes
    bool closedByServer = false;
    bool timedOut = false; // still open after the wait
    QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
};

class ListServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(listenOnFreeLoopback(server)); }

    // Reads until the server ends the connection, `stopAfterBytes` have
    // come or `timeoutMs` have passed, running the event loop meanwhile so
    // that the server is served.
    Received fetch(int timeoutMs = kWaitMs, qsizetype stopAfterBytes = -1)
    {
        Received got;
        QTcpSocket socket;
        QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
            got.bytes += socket.readAll();
            ++got.arrivals;
        });
        socket.connectToHost(server.address(), server.port(), QIODevice::ReadOnly);
        got.timedOut = !QTest::qWaitFor(
            [&] {
                return socket.state() == QAbstractSocket::UnconnectedState ||
                    (stopAfterBytes >= 0 && got.bytes.size() >= stopAfterBytes);
            },
            timeoutMs);
        got.bytes += socket.readAll();
        got.closedByServer = socket.state() == QAbstractSocket::UnconnectedState;
        got.error = socket.error();
        socket.abort();
        return got;
    }

    ListServer server;
};

TEST_F(ListServerTest, EachMisbehaviourDoesWhatItsNameSays)
{
    const QByteArray list = generatedResponse(6, 0);
    const struct {
        Misbehaviour misbehaviour;
        QByteArray response;
        int timeoutMs;
        qsizetype stopAfterBytes; // -1: until the server ends the connection
        std::function<void(const Received&)> expect;
    } cases[] = {
        // A bounded look: nothing may come within it.
        {Misbehaviour::NeverAnswer, list, 500, -1,
         [](const Received& got) {
             EXPECT_TRUE(got.bytes.isEmpty());
             EXPECT_TRUE(got.timedOut);
         }},
        {Misbehaviour::ResetMidLine, list, kWaitMs, -1,
         [&](const Received& got) {
             EXPECT_EQ(got.error, QAbstractSocket::RemoteHostClosedError);
             EXPECT_TRUE(list.startsWith(got.bytes));
             // Complete lines, then the head of one.
             EXPECT_GT(got.bytes.count('\n'), 10);
             ASSERT_FALSE(got.bytes.isEmpty());
             EXPECT_NE(got.bytes.back(), '\n');
         }},
        {Misbehaviour::NeverStop, list, kWaitMs, list.size() * 5,
         [&](const Received& got) {
             EXPECT_FALSE(got.closedByServer);
             ASSERT_GE(got.bytes.size(), list.size() * 5);
             for (qsizetype at = 0; at + list.size() <= got.bytes.size(); at += list.size()) {
                 ASSERT_EQ(got.bytes.mid(at, list.size()), list) << "copy at " << at;
             }
         }},
        {Misbehaviour::EndlessLine, list, kWaitMs, qsizetype{3} << 20U,
         [](const Received& got) {
             EXPECT_FALSE(got.closedByServer);
             EXPECT_GE(got.bytes.size(), qsizetype{3} << 20U);
             EXPECT_EQ(got.bytes.count('\n'), 0);
             EXPECT_TRUE(got.bytes.startsWith("192.0.2.99:7999 battle 1.24   [1/16] "));
         }},
        {Misbehaviour::Garbage, list, kWaitMs, -1,
         [](const Received& got) {
             EXPECT_TRUE(got.closedByServer);
             EXPECT_EQ(got.bytes.size(), 64 * 1024);
             EXPECT_GT(got.bytes.count('\n'), 100);
             EXPECT_GT(got.bytes.count('\r'), 100);
             EXPECT_GT(got.bytes.count('\0'), 100);
         }},
        {Misbehaviour::OneBytePer100ms, "ab\r\n", kWaitMs, -1,
         [](const Received& got) {
             EXPECT_EQ(got.bytes, "ab\r\n");
             EXPECT_TRUE(got.closedByServer);
             EXPECT_GE(got.arrivals, 3);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(misbehaviourName(c.misbehaviour).toStdString());
        // The name that pollwick-listserver takes names this misbehaviour.
        EXPECT_EQ(misbehaviourFromName(misbehaviourName(c.misbehaviour)), c.misbehaviour);
        server.setResponse(c.response);
        server.setMisbehaviour(c.misbehaviour);
        c.expect(fetch(c.timeoutMs, c.stopAfterBytes));
    }
}

} // namespace
} // namespace pollwick::sim
