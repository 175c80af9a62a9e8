// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The list connection on the system's sockets, against a list server on a
// loopback address of the test's own: what it reports and in which order,
// how much at a time, and that it keeps nothing of a connection once it is
// closed. (How each way of failing is told is a row of the fault matrix in
// tests/hostile.)
#include "platform/qt/QtListConnection.h"

#include "FakePlatform.h"
#include "listserver/ListServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pollwick {
namespace {

class Events final : public ListConnection::Receiver
{
public:
    void connected() override { log.emplace_back("connected"); }
    void received(std::string_view bytes) override
    {
        EXPECT_LE(bytes.size(), kListPieceBytes);
        bytesReceived.append(bytes);
        ++pieces;
        if (log.empty() || log.back() != "data") {
            log.emplace_back("data");
        }
    }
    void ended(ConnectionEnd end) override
    {
        log.push_back("ended " + std::to_string(static_cast<int>(end)));
    }

    std::vector<std::string> log;
    std::string bytesReceived;
    int pieces = 0;
};

class QtListConnectionTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(sim::listenOnFreeLoopback(server)) << "no free loopback address";
        connection.setReceiver(events);
    }
    void open() { connection.open(server.address().toString().toStdString(), server.port()); }

    sim::ListServer server;
    Events events;
    QtListConnection connection;
};

TEST_F(QtListConnectionTest, HandsOverAListInPiecesThenItsEndNeverFromInsideACall)
{
    // Four pieces' worth, with a reset after the last whole line.
    const QByteArray list(static_cast<qsizetype>(4 * kListPieceBytes), '\n');
    server.setResponse(list);
    server.setMisbehaviour(sim::Misbehaviour::ResetAfterList);
    open();
    EXPECT_TRUE(events.log.empty());
    EXPECT_TRUE(connection.isOpen());
    ASSERT_TRUE(test::waitUntil([&] { return !connection.isOpen(); }));
    EXPECT_EQ(events.log,
              (std::vector<std::string>{
                  "connected", "data",
                  "ended " + std::to_string(static_cast<int>(ConnectionEnd::Reset))}));
    EXPECT_EQ(events.bytesReceived.size(), static_cast<std::size_t>(list.size()));
    EXPECT_GE(events.pieces, 4);
}

TEST_F(QtListConnectionTest, NothingOfAClosedConnectionComesAndNothingIsKept)
{
    const auto descriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    server.setResponse("10.0.0.1:1 [1/2] x\r\n");
    open();
    ASSERT_TRUE(
        test::waitUntil([&] { return !connection.isOpen() && server.openConnections() == 0; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto before = descriptors();
    // Opened and closed at every stage of a connection: resolving,
    // connecting, reading; a new open() drops the last connection too.
    for (int cycle = 0; cycle < 300; ++cycle) {
        events.log.clear();
        open();
        if (cycle % 3 == 0) {
            ASSERT_TRUE(test::waitUntil([&] { return !events.log.empty(); }));
        }
        if (cycle % 2 == 0) {
            open();
        }
        connection.close();
        events.log.clear();
        QCoreApplication::processEvents();
        EXPECT_TRUE(events.log.empty()) << cycle;
    }
    ASSERT_TRUE(test::waitUntil([&] { return server.openConnections() == 0; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(descriptors(), before);
}

} // namespace
} // namespace pollwick
