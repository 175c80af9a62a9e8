// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The scan engine of the Windows window on the real Winsock connection,
// against list servers that would fill its memory or never let it go: the
// same limits hold under Wine as on Linux.
#include "MessagePump.h"
#include "TestListServer.h"
#include "core/scan/ScanEngine.h"
#include "fakes/PortFakes.h"
#include "platform/win/WinListConnection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pollwick {
namespace {

class Reports final : public ScanEngine::Listener
{
public:
    void listEnded(const QueryReport& report) override { reports.push_back(report); }
    std::optional<MatchCriteria> currentCriteria() override
    {
        MatchCriteria nothing;
        nothing.useName = true;
        nothing.nameText = "no such server";
        return nothing;
    }

    std::vector<QueryReport> reports;
};

// Sends `piece` until the client goes.
void sendForEver(SOCKET client, const std::string& piece)
{
    while (send(client, piece.data(), static_cast<int>(piece.size()), 0) > 0) { }
}

TEST(HostileListUnderWine, TheLimitsHoldAndTheConnectionGoes)
{
    const std::string lines = [] {
        std::string many;
        for (int line = 0; line < 1000; ++line) {
            many += "192.0.2.1:7000 battle 1.24   [1/16] Again\r\n";
        }
        return many;
    }();
    const struct {
        const char* what;
        std::function<void(SOCKET)> answer;
        QueryEnd end;
        std::size_t listed;
    } cases[] = {
        // A line that never ends: nothing can be listed, and the engine
        // lets the connection go once 32 MiB have come.
        {"an endless line", [](SOCKET client) { sendForEver(client, std::string(64 * 1024, 'W')); },
         QueryEnd::Overflow, 0},
        // A line of more than a megabyte is dropped, the line after it listed.
        {"a line of a megabyte",
         [](SOCKET client) {
             test::TestListServer::sendAll(client,
                                           std::string((1U << 20U) + 1, 'M') + "\n" +
                                               "192.0.2.2:7000 [1/2] After\r\n");
             test::TestListServer::closeOrderly(client);
         },
         QueryEnd::Whole, 1},
        // A list that never ends: 32,767 servers, then the connection goes.
        {"a list that never ends", [&](SOCKET client) { sendForEver(client, lines); },
         QueryEnd::Full, 32767},
        // One address of a megabyte that every later line carries.
        {"a carried megabyte",
         [](SOCKET client) {
             std::string list = std::string(1000000, 'a') + ":1 battle 1.24   [1/16] Big\r\n";
             for (int line = 0; line < 3000; ++line) {
                 list += "x\n";
             }
             test::TestListServer::sendAll(client, list);
             test::TestListServer::closeOrderly(client);
         },
         QueryEnd::Full, 33},
    };
    for (const auto& c : cases) {
        test::TestListServer server([&](SOCKET client, int /*nth*/) { c.answer(client); });
        const std::unique_ptr<ListConnection> connection = win::createListConnection();
        test::ManualTimer timer;
        test::FixedClock clock;
        Reports reports;
        ScanEngine::Options options;
        options.port = server.port();
        ScanEngine engine(*connection, timer, clock, reports, options);
        engine.chooseServer(test::kTestAddress);
        engine.start(test::kTestAddress);
        ASSERT_TRUE(
            test::pumpUntil([&] { return !reports.reports.empty(); }, std::chrono::minutes(1)))
            << c.what;
        EXPECT_EQ(reports.reports[0].end, c.end) << c.what;
        EXPECT_EQ(reports.reports[0].listed, c.listed) << c.what;
        EXPECT_FALSE(connection->isOpen()) << c.what;
        EXPECT_LE(engine.walk().recordBytesInResponse(), std::size_t{32} << 20U) << c.what;
        EXPECT_TRUE(
            test::pumpUntil([&] { return server.answered() == 1; }, std::chrono::minutes(1)))
            << c.what;
    }
}

} // namespace
} // namespace pollwick
