// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The scan engine's rules, with ports that the test drives: the server
// choice, Go, Stop and the re-query, how each list ends and what the
// status line says of it, the match, and what arrives meanwhile.
#include "core/scan/ScanEngine.h"

#include "fakes/PortFakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pollwick {
namespace {

using test::FixedClock;
using test::HandedConnection;
using test::ManualTimer;

const char* stateName(ScanState state)
{
    switch (state) {
    case ScanState::AwaitingServer:
        return "awaiting";
    case ScanState::Ready:
        return "ready";
    case ScanState::Scanning:
        return "scanning";
    }
    return "?";
}

// Every report, one text each, in order.
class EngineLog final : public ScanEngine::Listener
{
public:
    void stateChanged(ScanState state) override
    {
        log.push_back(std::string("state ") + stateName(state));
    }
    void statusChanged() override { ++statusChanges; }
    void responseStarted() override { log.emplace_back("started"); }
    void recordListed(const ServerRecord& record) override
    {
        log.push_back("listed " + record.serverName);
        if (whileListing) {
            whileListing(record);
        }
    }
    void pieceWalked() override { log.emplace_back("piece"); }
    void listEnded(const QueryReport& report) override
    {
        reports.push_back(report);
        log.push_back("ended " + std::to_string(static_cast<int>(report.end)));
    }
    void matched(const ServerRecord& record, ParsedFields fromLine) override
    {
        log.push_back("matched " + record.serverName);
        matchedFields = fromLine;
        if (whileMatched) {
            whileMatched();
        }
    }
    std::optional<MatchCriteria> currentCriteria() override
    {
        ++criteriaReads;
        return criteria;
    }

    std::vector<std::string> log;
    std::vector<QueryReport> reports;
    int statusChanges = 0;
    int criteriaReads = 0;
    std::optional<MatchCriteria> criteria = MatchCriteria{};
    ParsedFields matchedFields;
    std::function<void(const ServerRecord&)> whileListing;
    std::function<void()> whileMatched;
};

// Criteria that nothing meets: records are listed and tested, none matches.
MatchCriteria nothingMatches()
{
    MatchCriteria criteria;
    criteria.useName = true;
    criteria.nameText = "no such server";
    return criteria;
}

std::string line(const std::string& name, const std::string& players = "1/8")
{
    return "10.0.0.1:5 battle 1.24   [" + players + "] " + name + "\r\n";
}

class ScanEngineTest : public ::testing::Test
{
public:
    ScanEngineTest() { listener.criteria = nothingMatches(); }

    // A chosen server and a started scan.
    void startScan(const std::string& host = "list.example")
    {
        engine.chooseServer(host);
        engine.start(host);
        listener.log.clear();
        connection.calls.clear();
    }

    HandedConnection connection;
    ManualTimer timer;
    FixedClock clock;
    EngineLog listener;
    ScanEngine::Options options;
    ScanEngine engine{connection, timer, clock, listener, options};
};

TEST_F(ScanEngineTest, AServerIsChosenByAnyTextButNothingAndThePlaceholder)
{
    const struct {
        std::string text;
        bool chooses;
    } cases[] = {
        {"", false},
        {"List Server Select", false},
        {"list server select", true}, // compared exactly
        {" ", true},
    };
    for (const auto& c : cases) {
        HandedConnection ownConnection;
        ManualTimer ownTimer;
        EngineLog own;
        ScanEngine fresh(ownConnection, ownTimer, clock, own);
        EXPECT_EQ(fresh.chooseServer(c.text), c.chooses) << '"' << c.text << '"';
        EXPECT_EQ(fresh.state(), c.chooses ? ScanState::Ready : ScanState::AwaitingServer);
        EXPECT_EQ(fresh.statusText(),
                  c.chooses ? "Set what to look for, then press Go."
                            : "Choose a list server to begin.");
        // Once chosen, the choice is never made again.
        EXPECT_EQ(fresh.chooseServer("another"), !c.chooses);
    }
}

TEST_F(ScanEngineTest, GoArmsAndAsksAtOnceThenEveryIntervalUntilStop)
{
    engine.chooseServer("h");
    engine.start("list.example");
    EXPECT_TRUE(engine.isArmed());
    EXPECT_EQ(engine.state(), ScanState::Scanning);
    // Every connection is a fresh one, to the port of list servers.
    EXPECT_EQ(connection.calls, (std::vector<std::string>{"close", "open list.example:10057"}));
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), std::chrono::milliseconds(5000));
    EXPECT_EQ(engine.statusText(), "Asking list.example every 5 s...");

    connection.calls.clear();
    timer.fire();
    timer.fire();
    EXPECT_EQ(connection.calls,
              (std::vector<std::string>{"close", "open list.example:10057", "close",
                                        "open list.example:10057"}));
    // The ticks come every interval from Go: the timer is not restarted.
    EXPECT_EQ(timer.starts, 1);

    // Stop neither closes the connection nor disarms.
    connection.calls.clear();
    engine.stop();
    EXPECT_EQ(engine.state(), ScanState::Ready);
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(connection.calls.empty());
    EXPECT_TRUE(engine.isArmed());
    EXPECT_EQ(engine.statusText(), "Stopped.");
}

// How each query ends, what the engine reports and what the status line
// says, with one whole list before it to show as the last list.
TEST_F(ScanEngineTest, EachWayAListEndsIsToldInItsOwnWords)
{
    const std::string two = line("One") + line("Two");
    const struct {
        const char* what;
        std::function<void(HandedConnection&)> serve;
        QueryEnd end;
        std::string status;
    } cases[] = {
        {"whole", [&](auto& c) { c.connect(), c.send(two), c.end(ConnectionEnd::Closed); },
         QueryEnd::Whole, "12:00:05  2 servers listed"},
        {"cut in a line",
         [&](auto& c) { c.connect(), c.send(two + "10.0.0.3"), c.end(ConnectionEnd::Closed); },
         QueryEnd::CutMidLine,
         "12:00:05  list.example: list cut off in the middle of a line, trying every 5 s. Last "
         "list 12:00:00: 1 server"},
        {"reset after a whole line",
         [&](auto& c) { c.connect(), c.send(two), c.end(ConnectionEnd::Reset); }, QueryEnd::Reset,
         "12:00:05  list.example: list cut off by a reset connection, trying every 5 s. Last "
         "list 12:00:00: 1 server"},
        {"reset at once", [&](auto& c) { c.connect(), c.end(ConnectionEnd::Reset); },
         QueryEnd::Reset,
         "12:00:05  list.example: connection reset, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
        {"nothing sent", [&](auto& c) { c.connect(), c.end(ConnectionEnd::Closed); },
         QueryEnd::NothingSent,
         "12:00:05  list.example: sent no list, trying every 5 s. Last list 12:00:00: 1 server"},
        {"refused", [&](auto& c) { c.end(ConnectionEnd::Refused); }, QueryEnd::Refused,
         "12:00:05  list.example: connection refused, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
        {"host not found", [&](auto& c) { c.end(ConnectionEnd::HostNotFound); },
         QueryEnd::HostNotFound,
         "12:00:05  list.example: host not found, trying every 5 s. Last list 12:00:00: 1 server"},
        {"unreachable", [&](auto& c) { c.end(ConnectionEnd::Unreachable); }, QueryEnd::Unreachable,
         "12:00:05  list.example: network unreachable, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
        {"lost", [&](auto& c) { c.connect(), c.send(two), c.end(ConnectionEnd::Lost); },
         QueryEnd::Lost,
         "12:00:05  list.example: connection lost, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
        {"failed", [&](auto& c) { c.end(ConnectionEnd::Failed); }, QueryEnd::Failed,
         "12:00:05  list.example: connection failed, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
        {"cut by the next query", [&](auto& c) { c.connect(), c.send(two + "10.0"); },
         QueryEnd::CutByNextQuery,
         "12:00:05  list.example: list cut off by the next query, trying every 5 s. Last list "
         "12:00:00: 1 server"},
        {"no answer by the next query", [&](auto& c) { c.connect(); }, QueryEnd::CutByNextQuery,
         "12:00:05  list.example: no answer, trying every 5 s. Last list 12:00:00: 1 server"},
        {"no connection by the next query", [&](auto& /*c*/) {}, QueryEnd::CutByNextQuery,
         "12:00:05  list.example: no connection in time, trying every 5 s. Last list 12:00:00: 1 "
         "server"},
    };
    for (const auto& c : cases) {
        HandedConnection ownConnection;
        ManualTimer ownTimer;
        FixedClock ownClock;
        EngineLog own;
        own.criteria = nothingMatches();
        ScanEngine scan(ownConnection, ownTimer, ownClock, own);
        scan.chooseServer("x");
        scan.start("list.example");
        ownConnection.connect();
        ownConnection.send(line("Before"));
        ownConnection.end(ConnectionEnd::Closed);
        ownClock.time = {12, 0, 5};
        ownTimer.fire();
        c.serve(ownConnection);
        if (c.end == QueryEnd::CutByNextQuery) {
            ownTimer.fire();
        }
        ASSERT_EQ(own.reports.size(), 2U) << c.what;
        EXPECT_EQ(own.reports.back().end, c.end) << c.what;
        EXPECT_EQ(scan.statusText(), c.status) << c.what;
    }
}

TEST_F(ScanEngineTest, AnswersPastTheirLimitsEndFullAndTheirConnectionCloses)
{
    const std::string lines = line("A") + line("B") + line("C");
    const struct {
        const char* what;
        ResponseLimits limits;
        std::string answer;
        QueryEnd end;
        std::size_t listed;
        std::string status;
    } cases[] = {
        {"exactly as many servers as may be listed",
         {2, 1U << 20U, 1U << 20U, 1U << 20U},
         line("A") + line("B"),
         QueryEnd::Whole,
         2,
         "12:00:00  2 servers listed"},
        {"one line more",
         {2, 1U << 20U, 1U << 20U, 1U << 20U},
         lines,
         QueryEnd::Full,
         2,
         "12:00:00  2 servers listed, the rest not read (over 2 servers)"},
        {"the start of a line more",
         {2, 1U << 20U, 1U << 20U, 1U << 20U},
         line("A") + line("B") + "1",
         QueryEnd::Full,
         2,
         "12:00:00  2 servers listed, the rest not read (over 2 servers)"},
        {"a line that never ends",
         {32767, 1U << 20U, 1U << 20U, 1U << 20U},
         std::string((1U << 20U) + 1, 'x'),
         QueryEnd::Overflow,
         0,
         "12:00:00  list.example: no line that could be listed in the first 1 MiB, trying "
         "every 5 s."},
        // One address of 600 bytes, carried by every line without ":".
        {"a carried field",
         {32767, 1U << 20U, 1U << 20U, 2000},
         std::string(600, 'a') + ":1 [1/2] x\n" + "y\nz\nw\nv\n",
         QueryEnd::Full,
         3,
         "12:00:00  3 servers listed, the rest not read (over 2,000 bytes of server text)"},
    };
    for (const auto& c : cases) {
        HandedConnection ownConnection;
        ManualTimer ownTimer;
        EngineLog own;
        own.criteria = nothingMatches();
        ScanEngine::Options limited;
        limited.limits = c.limits;
        ScanEngine scan(ownConnection, ownTimer, clock, own, limited);
        scan.chooseServer("x");
        scan.start("list.example");
        ownConnection.connect();
        ownConnection.send(c.answer);
        if (c.end == QueryEnd::Whole) {
            ownConnection.end(ConnectionEnd::Closed);
        } else {
            EXPECT_FALSE(ownConnection.isOpen()) << c.what;
        }
        ASSERT_EQ(own.reports.size(), 1U) << c.what;
        EXPECT_EQ(own.reports[0].end, c.end) << c.what;
        EXPECT_EQ(own.reports[0].listed, c.listed) << c.what;
        EXPECT_EQ(scan.statusText(), c.status) << c.what;
    }
}

TEST_F(ScanEngineTest, NoHostIsToldAndTriedAgain)
{
    engine.chooseServer("h");
    engine.start("");
    EXPECT_EQ(connection.calls, std::vector<std::string>{"close"});
    ASSERT_EQ(listener.reports.size(), 1U);
    EXPECT_EQ(listener.reports[0].end, QueryEnd::NoHost);
    EXPECT_EQ(engine.statusText(), "12:00:00  No list server given, trying every 5 s.");
    timer.fire();
    EXPECT_EQ(listener.reports.size(), 2U);
    EXPECT_EQ(engine.state(), ScanState::Scanning);
}

TEST_F(ScanEngineTest, AMatchEndsTheScanBeforeItIsReportedAndEndsTheList)
{
    listener.criteria = MatchCriteria{};
    listener.criteria->useName = true;
    listener.criteria->nameText = "two";
    startScan();
    listener.whileMatched = [&] {
        // The scan is over by the time the front end's alerts run.
        EXPECT_EQ(engine.state(), ScanState::Ready);
        EXPECT_FALSE(timer.isActive());
        EXPECT_FALSE(connection.isOpen());
        EXPECT_FALSE(engine.isArmed());
    };
    connection.connect();
    connection.send(line("One") + line("Two") + line("Three"));
    EXPECT_EQ(listener.log,
              (std::vector<std::string>{"started", "listed One", "listed Two", "state ready",
                                        "piece", "matched Two"}));
    EXPECT_EQ(connection.calls, std::vector<std::string>{"close"});
    EXPECT_TRUE(listener.reports.empty());
    EXPECT_EQ(engine.statusText(), "12:00:00  Found: Two");
    EXPECT_TRUE(listener.matchedFields.has(ParsedFields::Version));

    // The game's trouble goes on the line; a new scan starts armed.
    engine.gameNotStarted("no game path is set for 1.24 (Wombix Paths)");
    EXPECT_EQ(engine.statusText(),
              "12:00:00  Found: Two. Game not started: no game path is set for 1.24 (Wombix "
              "Paths).");
    engine.start("list.example");
    EXPECT_TRUE(engine.isArmed());
}

TEST_F(ScanEngineTest, AListOnItsWayAfterStopIsListedAndMayStillMatch)
{
    listener.criteria = MatchCriteria{};
    startScan();
    engine.stop();
    listener.log.clear();
    connection.connect();
    connection.send(line("Late", "16/16") + line("Open"));
    EXPECT_EQ(listener.log,
              (std::vector<std::string>{"started", "listed Late", "listed Open", "state ready",
                                        "piece", "matched Open"}));
}

TEST_F(ScanEngineTest, AWholeListAfterStopKeepsTheLineStopped)
{
    startScan();
    engine.stop();
    clock.time = {12, 0, 3};
    connection.connect();
    connection.send(line("One"));
    connection.end(ConnectionEnd::Closed);
    EXPECT_EQ(engine.statusText(), "Stopped. Last list 12:00:03: 1 server.");
}

TEST_F(ScanEngineTest, TheCriteriaAreReadAtEachTest)
{
    startScan();
    // The person ticks "Name" while the list is walked: the next record is
    // tested with it.
    listener.whileListing = [&](const ServerRecord& record) {
        if (record.serverName == "One") {
            listener.criteria = MatchCriteria{};
        }
    };
    connection.connect();
    connection.send(line("Zero") + line("One") + line("Two"));
    EXPECT_EQ(listener.criteriaReads, 2);
    EXPECT_EQ(listener.log.back(), "matched One");
}

TEST_F(ScanEngineTest, DataThatArrivesDuringAReportIsWalkedAfterwardsInOrder)
{
    startScan();
    connection.connect();
    bool handed = false;
    listener.whileListing = [&](const ServerRecord& /*record*/) {
        if (!handed) {
            handed = true;
            connection.send(line("Meanwhile"));
        }
    };
    connection.send(line("First") + line("Second"));
    EXPECT_EQ(listener.log,
              (std::vector<std::string>{"started", "listed First", "listed Second", "piece",
                                        "listed Meanwhile", "piece"}));
}

TEST_F(ScanEngineTest, ARecordNeedsNoTestWhenTheListenerGivesNoCriteria)
{
    listener.criteria.reset();
    startScan();
    connection.connect();
    connection.send(line("Any") + line("Other"));
    connection.end(ConnectionEnd::Closed);
    EXPECT_EQ(listener.reports.at(0).end, QueryEnd::Whole);
    EXPECT_EQ(listener.reports.at(0).listed, 2U);
}

TEST_F(ScanEngineTest, OneQueryWithoutRequeryTimesOut)
{
    const struct {
        std::function<void(HandedConnection&)> serve;
        std::string why;
    } cases[] = {
        {[](auto& /*c*/) {}, "no connection in time"},
        {[](auto& c) { c.connect(); }, "no answer in time"},
        {[](auto& c) { c.connect(), c.send("10.0.0.1:5 [1/2] x\r\n10"); },
         "list not finished in time"},
    };
    for (const auto& c : cases) {
        HandedConnection ownConnection;
        ManualTimer ownTimer;
        EngineLog own;
        own.criteria = nothingMatches();
        ScanEngine::Options once;
        once.requery = false;
        once.requeryInterval = std::chrono::milliseconds(30000);
        ScanEngine scan(ownConnection, ownTimer, clock, own, once);
        scan.chooseServer("x");
        scan.start("list.example");
        c.serve(ownConnection);
        ownTimer.fire();
        ASSERT_EQ(own.reports.size(), 1U);
        EXPECT_EQ(own.reports[0].end, QueryEnd::TimedOut);
        EXPECT_EQ(whyNoList(own.reports[0]), c.why);
        EXPECT_FALSE(ownConnection.isOpen());
        EXPECT_FALSE(ownTimer.isActive());
    }
}

} // namespace
} // namespace pollwick
