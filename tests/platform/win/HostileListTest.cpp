// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The scan engine of the Windows window on the real Winsock connection,
// against list servers that never stop sending or send a line of a
// megabyte: the engine's limits hold and the connection lets the list
// server go, under Wine as on Linux. What each limit does to a list is the
// engine's, tested with it.
#include "MessagePump.h"
#include "TestListServer.h"
#include "core/scan/ScanEngine.h"
#include "fakes/PortFakes.h"
#include "platform/win/WinListConnection.h"

#include <gtest/gtest.h>

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

TEST(HostileListUnderWine, TheLimitsHoldAndTheConnectionGoes)
{
    std::string lines;
    for (int line = 0; line < 1000; ++line) {
        lines += "192.0.2.1:7000 battle 1.24   [1/16] Again\r\n";
    }
    enum class Sending { Once, UntilTheClientGoes };
    const struct {
        const char* what;
        std::string piece;
        Sending sending;
        QueryEnd end;
        std::size_t listed;
    } cases[] = {
        // Nothing can be listed; the engine lets go once 32 MiB have come.
        {"an endless line", std::string(64 * 1024, 'W'), Sending::UntilTheClientGoes,
         QueryEnd::Overflow, 0},
        // Dropped whole, wherever Winsock cuts it; the line after it listed.
        {"a line of a megabyte",
         std::string((1U << 20U) + 1, 'M') + "\n192.0.2.2:7000 [1/2] After\r\n", Sending::Once,
         QueryEnd::Whole, 1},
        {"a list that never ends", lines, Sending::UntilTheClientGoes, QueryEnd::Full, 32767},
    };
    for (const auto& c : cases) {
        test::TestListServer server([&c](SOCKET client, int /*nth*/) {
            if (c.sending == Sending::Once) {
                test::TestListServer::sendAll(client, c.piece);
                test::TestListServer::closeOrderly(client);
                return;
            }
            while (send(client, c.piece.data(), static_cast<int>(c.piece.size()), 0) > 0) { }
        });
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
