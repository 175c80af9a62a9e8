// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The scan engine on the real list connection against list servers that
// fail or misbehave, one row per way of failing; then the window against
// the ones that would stall or fill it. In every case the engine must tell
// how the list ended, hold no more than the limits allow, list exactly what
// the rules say, and query again as if nothing happened; the window must
// keep answering.
#include "ListServerWindow.h"
#include "core/scan/ScanEngine.h"
#include "fakes/PortFakes.h"
#include "platform/qt/QtListConnection.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace pollwick::test {
namespace {

using sim::Misbehaviour;

const QByteArray kWhole = serverLine("192.0.2.11", "battle 1.24   [1/16] Whole One");

// One line with an address of a megabyte, then thousands of lines that
// carry it: each record would hold the megabyte.
QByteArray carriedMegabyte()
{
    QByteArray list = QByteArray(1000000, 'a') + ":1 battle 1.24   [1/16] Big\r\n";
    for (int line = 0; line < 3000; ++line) {
        list += "x\n";
    }
    return list;
}

// The engine, its real connection, a timer ticked by hand, and what it
// reported.
class EngineAgainstListServer : public ::testing::Test, public ScanEngine::Listener
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(sim::listenOnFreeLoopback(server)) << "no free loopback address";
        engine.chooseServer("x");
    }

    void pieceWalked() override
    {
        const ResponseWalk& walk = engine.walk();
        peakEntries = std::max(peakEntries, walk.entriesInResponse());
        peakPendingLineBytes = std::max(peakPendingLineBytes, walk.pendingLineBytes());
        peakRecordBytes = std::max(peakRecordBytes, walk.recordBytesInResponse());
        for (const std::string& entry : walk.entries()) {
            peakEntryBytes = std::max(peakEntryBytes, entry.size());
        }
    }
    void recordListed(const ServerRecord& record) override { names.push_back(record.serverName); }
    void responseStarted() override { names.clear(); }
    void listEnded(const QueryReport& report) override { reports.push_back(report); }
    std::optional<MatchCriteria> currentCriteria() override
    {
        MatchCriteria nothing;
        nothing.useName = true;
        nothing.nameText = "no such server";
        return nothing;
    }

    // Waits until the current query has ended.
    [[nodiscard]] bool queryEnded(std::size_t reported) const
    {
        return waitUntil([&] { return reports.size() >= reported; }, 60000);
    }

    sim::ListServer server;
    QtListConnection connection;
    ManualTimer timer;
    FixedClock clock;
    ScanEngine engine{connection, timer, clock, *this};
    std::vector<QueryReport> reports;
    std::vector<std::string> names;
    std::size_t peakEntries = 0;
    std::size_t peakEntryBytes = 0;
    std::size_t peakPendingLineBytes = 0;
    std::size_t peakRecordBytes = 0;
};

constexpr auto kAny = static_cast<std::size_t>(-1);

struct Fault {
    const char* name;
    // Sets the list server up; the host to ask, empty for the server's own.
    std::function<QString(sim::ListServer&)> arrange;
    QueryEnd end;
    std::size_t listed; // kAny: whatever the bytes make
    bool cutByTheNextQuery = false; // only the next query can tell how it ended
};

std::function<QString(sim::ListServer&)> misbehaving(Misbehaviour misbehaviour,
                                                     const QByteArray& response = kWhole)
{
    return [misbehaviour, response](sim::ListServer& server) {
        server.setResponse(response);
        server.setMisbehaviour(misbehaviour);
        return QString();
    };
}

// (A whole list is what every row's next query gets.)
const Fault kFaults[] = {
    {"Refused", [](auto&) { return unusedLoopbackAddress(); }, QueryEnd::Refused, 0},
    // Not a valid host name (spaces): it fails before any name server is asked.
    {"NoSuchHost", [](auto&) { return QStringLiteral("no such list server.invalid"); },
     QueryEnd::HostNotFound, 0},
    {"NothingSent", misbehaving(Misbehaviour::None, {}), QueryEnd::NothingSent, 0},
    {"NeverAnswers", misbehaving(Misbehaviour::NeverAnswer), QueryEnd::CutByNextQuery, 0, true},
    // The head of the cut line is never listed, nor joined to the next
    // response's first line.
    {"ResetMidLine",
     misbehaving(Misbehaviour::ResetMidLine,
                 kWhole + serverLine("192.0.2.12", "battle 1.24   [1/16] Cut Line!") + kWhole),
     QueryEnd::Reset, 1},
    // A reset is a cut list even right after a whole line.
    {"ResetAfterList", misbehaving(Misbehaviour::ResetAfterList, kWhole + kWhole), QueryEnd::Reset,
     2},
    {"CutByTheNextQuery",
     [](sim::ListServer& server) {
         server.setChunking(static_cast<int>(kWhole.size()) + 15, 10 * 60 * 1000);
         return misbehaving(Misbehaviour::None, kWhole + kWhole)(server);
     },
     QueryEnd::CutByNextQuery, 1, true},
    // Lines without end: the first 32,767 are listed, then the connection
    // goes, since nothing more could be listed.
    {"NeverStops", misbehaving(Misbehaviour::NeverStop, kWhole), QueryEnd::Full, 32767},
    // A line without end: nothing can be listed, and the connection goes
    // once 32 MiB have come: a cut list, never an empty whole one.
    {"EndlessLine", misbehaving(Misbehaviour::EndlessLine), QueryEnd::Overflow, 0},
    {"CarriedMegabyte", misbehaving(Misbehaviour::None, carriedMegabyte()), QueryEnd::Full, 33},
    // Random bytes, LF, CR and NUL among them, that do not end in a line end.
    {"Garbage", misbehaving(Misbehaviour::Garbage), QueryEnd::CutMidLine, kAny},
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class ListServerFaultTest : public EngineAgainstListServer,
                            public ::testing::WithParamInterface<Fault>
{ };

TEST_P(ListServerFaultTest, TheEngineTellsHowTheListEndedAndQueriesAgain)
{
    const Fault& fault = GetParam();
    const QString host = fault.arrange(server);
    engine.start((host.isEmpty() ? server.address().toString() : host).toStdString());
    if (fault.cutByTheNextQuery) {
        ASSERT_TRUE(waitUntil(
            [&] { return server.connectionCount() == 1 && engine.listed() == fault.listed; }));
        timer.fire();
    }
    ASSERT_TRUE(queryEnded(1));
    const QueryReport& report = reports.front();
    EXPECT_EQ(report.end, fault.end) << whyNoList(report);
    if (fault.listed != kAny) {
        EXPECT_EQ(report.listed, fault.listed);
    }
    EXPECT_EQ(engine.state(), ScanState::Scanning);
    EXPECT_LE(peakEntries, 32767U);
    EXPECT_LE(peakEntryBytes, 3 + (std::size_t{1} << 20U));
    EXPECT_LE(peakPendingLineBytes, std::size_t{1} << 20U);
    EXPECT_LE(peakRecordBytes, std::size_t{32} << 20U);

    // The next query works.
    server.setMisbehaviour(Misbehaviour::None);
    server.setChunking(0, 0);
    server.setResponse(serverLine("192.0.2.200", "battle 1.24   [2/16] Next One") +
                       serverLine("192.0.2.201", "ctf 1.21 x [3/8] Next Two"));
    engine.stop();
    engine.start(server.address().toString().toStdString());
    ASSERT_TRUE(queryEnded(2));
    EXPECT_EQ(reports.back().end, QueryEnd::Whole);
    EXPECT_EQ(names, (std::vector<std::string>{"Next One", "Next Two"}));
    EXPECT_TRUE(waitUntil([&] { return server.openConnections() == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Faults, ListServerFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& row) { return std::string(row.param.name); });

// What a person sees of the lists that would stall or fill the window: it
// keeps answering clicks while they are read, and says what became of them.
struct WindowFault {
    const char* name;
    Misbehaviour misbehaviour;
    QByteArray response;
    QString says;
    int rows;
};

void PrintTo(const WindowFault& fault, std::ostream* out)
{
    *out << fault.name;
}

class WindowFaultTest : public ListServerWindow, public ::testing::WithParamInterface<WindowFault>
{ };

TEST_P(WindowFaultTest, TheWindowKeepsAnsweringAndSaysWhatHappened)
{
    const WindowFault& fault = GetParam();
    server.setResponse(fault.response);
    server.setMisbehaviour(fault.misbehaviour);
    matchNothing();
    click(ui->showListCheck); // the list in view
    go();
    click(ui->showListCheck);
    expectWindowAnswers();
    ASSERT_TRUE(waitForResponse(1, 60000));
    EXPECT_TRUE(status().contains(fault.says)) << status().toStdString();
    EXPECT_EQ(rowCount(), fault.rows);
    expectWindowAnswers();
}

// (A list server that never ends a line is read as long as one that never
// stops, with no row to show: the engine's row above.)
const WindowFault kWindowFaults[] = {
    {"CarriedMegabyte", Misbehaviour::None, carriedMegabyte(),
     "33 servers listed, the rest not read (over 32 MiB of server text)", 33},
    {"NeverStops", Misbehaviour::NeverStop, kWhole,
     "32,767 servers listed, the rest not read (over 32,767 servers)", 32767},
};

INSTANTIATE_TEST_SUITE_P(Faults, WindowFaultTest, ::testing::ValuesIn(kWindowFaults),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace pollwick::test
