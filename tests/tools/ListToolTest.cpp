#include "list/ListTool.h"

#include "listserver/ListServer.h"
#include "listserver/SimulatedList.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

namespace pollwick::listtool {
namespace {

using sim::ListServer;
using sim::Misbehaviour;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// --watch waits this long between queries here.
constexpr int kIntervalMs = 100;

Outcome run(const std::vector<std::string>& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runListTool(args, in, out, err, ListToolTiming{kIntervalMs});
    return {status, out.str(), err.str()};
}

// Each line of --json output as "verdict|name|address", the verdict empty in
// list mode; fails the test on a line that is no JSON object.
std::vector<std::string> records(const std::string& out)
{
    std::vector<std::string> found;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) {
        const auto object = nlohmann::json::parse(line, nullptr, false);
        EXPECT_TRUE(object.is_object()) << line;
        found.push_back(object.value("verdict", "") + "|" + object.value("serverName", "") + "|" +
                        object.value("ipAddress", ""));
    }
    return found;
}

// Five servers: a full one, a private one, one whose address step fails and
// keeps the address of the line before, and two public ones.
const std::string kFiveLines = "Host.Example:7000 battle 1.24   [16/16] \xA7"
                               "1Full |House\r\n"
                               "192.0.2.2:7001 private ctf 1.21 x [3/8] Secret Base\r\n"
                               "no colon battle 1.24   [2/16] Borrowed Address\r\n"
                               "192.0.2.4:7003      Race 1.24 s [1/12] Caf\xE9 Racers\r\n"
                               "192.0.2.5:7004 treasure 1.21   [0/8] Last One\r\n";

TEST(ListToolOptions, UsageErrorsExitTwoWithAMessage)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--host", "127.0.0.1", "--file", "x"},
        {"--bogus"},
        {"--host", ""},
        {"--host", "127.0.0.1", "--port", "65536"},
        {"--host", "127.0.0.1", "--port", "12ab"},
        {"--host", "127.0.0.1", "--timeout", "0"},
        {"--host", "127.0.0.1", "--watch"},
        {"--file", "x", "--name", "a", "--watch"},
        {"--file", "x", "--port", "10057"},
        {"--file", "x", "stray"},
    };
    for (const auto& args : wrong) {
        const Outcome r = run(args);
        const std::string trace = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(r.status, kExitTrouble) << trace;
        EXPECT_TRUE(r.out.empty()) << trace;
        EXPECT_TRUE(r.err.starts_with("pollwick-list: ")) << trace << r.err;
    }
    EXPECT_EQ(run({"--help"}).status, 0);
}

// A saved list or standard input, walked as the window walks it. List mode
// prints every entry as listed; walk mode stops at the first match, printing
// the record as listed though the test lower-cased it (the line without ":"
// keeps the address that the test lower-cased on the line before, and so is
// passed over as private too). Criteria are read as the window reads them.
TEST(ListToolFile, ListAndWalkModesPrintTheWindowsRecords)
{
    const QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("list.txt")).toStdString();
    std::ofstream(path, std::ios::binary) << kFiveLines;
    const std::string racers = "Match|Caf\xC3\xA9 Racers|   192.0.2.4";
    const std::string last = "NoMatch|Last One|   192.0.2.5";
    const struct {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> printed; // every record, or the last ones
    } cases[] = {
        {{"--file", path, "--json"},
         0,
         {"|Full House|   Host.Example", "|Secret Base|Private", "|Borrowed Address|Private",
          "|Caf\xC3\xA9 Racers|   192.0.2.4", "|Last One|   192.0.2.5"}},
        {{"--file", "-", "--match", "--json"},
         kExitMatch,
         {"PassedOverFull|Full House|   Host.Example", "PassedOverPrivate|Secret Base|Private",
          "PassedOverPrivate|Borrowed Address|private", racers}},
        // An upper-case E acute, typed in UTF-8; "Race", as "Treasure" comes later.
        {{"--file", path, "--name", "caf\xC3\x89", "--json"}, kExitMatch, {racers}},
        {{"--file", path, "--version", "1.24 s", "--json"}, kExitMatch, {racers}},
        {{"--file", path, "--type", "r", "--json"}, kExitMatch, {racers}},
        {{"--file", path, "--version", "1.24 S", "--json"}, kExitNoMatch, {last}},
        {{"--file", path, "--ip", "priv", "--json"}, kExitNoMatch, {last}},
        {{"--file", path, "--ip", "priv", "--include-private", "--json"},
         kExitMatch,
         {"Match|Secret Base|Private"}},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args, kFiveLines);
        EXPECT_EQ(r.status, c.status) << c.args[2];
        EXPECT_EQ(r.err, "");
        std::vector<std::string> printed = records(r.out);
        ASSERT_GE(printed.size(), c.printed.size()) << c.args[2];
        printed.erase(printed.begin(), printed.end() - static_cast<long>(c.printed.size()));
        EXPECT_EQ(printed, c.printed) << c.args[2];
    }
    // The table: a header, then a row a server.
    EXPECT_EQ(std::ranges::count(run({"--file", path}).out, '\n'), 6);

    const Outcome cut = run({"--file", "-", "--json"}, "a:1 battle 1.24   [1/2] One\r\nb:2 ctf");
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(records(cut.out).size(), 1U);
    EXPECT_NE(cut.err.find("ends inside a line"), std::string::npos) << cut.err;
    const Outcome missing = run({"--file", "/nonexistent/pollwick/list.txt"});
    EXPECT_EQ(missing.status, kExitTrouble);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

class ListToolLive : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(sim::listenOnFreeLoopback(server)); }
    // A run against the list server as it behaves now.
    Outcome runLive(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--host", server.address().toString().toStdString()});
        return run(args);
    }

    ListServer server;
};

TEST_F(ListToolLive, ExitStatusesAndComplaints)
{
    const QByteArray list = sim::generatedResponse(13, 0);
    const auto lines = static_cast<std::size_t>(list.count('\n'));
    constexpr std::size_t kSome = SIZE_MAX;
    const struct {
        Misbehaviour misbehaviour;
        std::vector<std::string> args;
        int status;
        std::string complaint;
        std::size_t printed; // JSON records; kSome: more than 10, fewer than all
    } cases[] = {
        {Misbehaviour::None, {"--json"}, 0, "", lines},
        {Misbehaviour::None, {"--match"}, kExitMatch, "", 0},
        {Misbehaviour::None, {"--name", "no such"}, kExitNoMatch, "", 0},
        {Misbehaviour::None, {"--port", "10059"}, kExitTrouble, "no list from", 0},
        {Misbehaviour::None,
         {"--port", "10059", "--match", "--watch"},
         kExitTrouble,
         "no list from",
         0},
        {Misbehaviour::NeverAnswer,
         {"--timeout", "0.3", "--match"},
         kExitTrouble,
         "did not finish its list within 0.3 s",
         0},
        {Misbehaviour::EndlessLine,
         {"--timeout", "0.5", "--json"},
         kExitTrouble,
         "did not finish",
         0},
        {Misbehaviour::NeverStop, {"--json"}, 0, "more than 32767 lines", 32767},
        // The complete lines, and a word about the cut one.
        {Misbehaviour::ResetMidLine, {"--json"}, 0, "ended inside a line", kSome},
    };
    for (const auto& c : cases) {
        server.setResponse(list);
        server.setMisbehaviour(c.misbehaviour);
        const Outcome r = runLive(c.args);
        const std::string trace = c.args.back();
        EXPECT_EQ(r.status, c.status) << trace;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << trace << ": " << r.err;
        const std::size_t printed = c.args.back() == "--json" ? records(r.out).size() : 0;
        if (c.printed == kSome) {
            EXPECT_TRUE(printed > 10 && printed < lines) << trace << ": " << printed;
        } else {
            EXPECT_EQ(printed, c.printed) << trace;
        }
    }
    server.setMisbehaviour(Misbehaviour::None);
    server.setResponse({});
    EXPECT_EQ(runLive({"--match"}).status, kExitTrouble);
}

TEST_F(ListToolLive, ReadsTheListInPiecesOnTheGivenPortAsTheFileWouldGiveIt)
{
    ListServer other;
    ASSERT_TRUE(other.listen(server.address(), 10058));
    const QByteArray response = sim::generatedResponse(12, 0);
    other.setResponse(response);
    other.setChunking(37, 2); // cuts right through lines
    const Outcome live = runLive({"--port", "10058", "--json"});
    EXPECT_EQ(live.status, 0);
    EXPECT_EQ(live.err, "");
    EXPECT_EQ(live.out, run({"--file", "-", "--json"}, response.toStdString()).out);
    EXPECT_EQ(records(live.out).size(), static_cast<std::size_t>(response.count('\n')));
    EXPECT_EQ(other.connectionCount(), 1);
    EXPECT_EQ(server.connectionCount(), 0);

    // A match ends the connection; the rest is not read.
    server.setResponse(QByteArray::fromStdString(kFiveLines));
    server.setChunking(60, 20);
    QSignalSpy finished(&server, &ListServer::connectionFinished);
    const Outcome matched = runLive({"--match", "--json"});
    EXPECT_EQ(matched.status, kExitMatch);
    EXPECT_EQ(records(matched.out).size(), 4U);
    EXPECT_TRUE(finished.count() == 1 || finished.wait(10000));
}

// --watch asks again, after the interval, until a query matches; a query
// that fails after the first is only retried.
TEST_F(ListToolLive, WatchAsksAgainAfterTheIntervalUntilAMatch)
{
    const struct {
        const char* what;
        std::function<void(ListServer&)> serve;
        std::vector<std::string> args;
        int queries;
        std::string said; // on standard output, or with --json the last record
    } cases[] = {
        {"a match at once",
         [](ListServer& s) { s.setResponse(QByteArray::fromStdString(kFiveLines)); },
         {"--name", "racers"},
         1,
         "Query 1 at "},
        // Arena from the fourth query on.
        {"a server that turns up",
         [](ListServer& s) { s.setGenerated(2); },
         {"--name", "Arena", "--json"},
         4,
         "Match|" + std::string(sim::kArenaName) + "|"},
        {"a silent query between",
         [](ListServer& s) {
             s.setResponse("a:1 battle 1.24   [1/16] Nothing Here\r\n");
             QObject::connect(&s, &ListServer::connectionAccepted, &s, [&s](int count) {
                 s.setMisbehaviour(count == 1 ? Misbehaviour::NeverAnswer : Misbehaviour::None);
                 s.setResponse("a:1 battle 1.24   [1/16] Wanted Server\r\n");
             });
         },
         {"--name", "wanted", "--timeout", "0.3"},
         3,
         "Query 3 at "},
    };
    for (const auto& c : cases) {
        ListServer watched;
        ASSERT_TRUE(sim::listenOnFreeLoopback(watched));
        c.serve(watched);
        std::vector<std::string> args = c.args;
        args.insert(args.begin(),
                    {"--host", watched.address().toString().toStdString(), "--watch"});
        QElapsedTimer clock;
        clock.start();
        const Outcome r = run(args);
        EXPECT_GE(clock.elapsed(), (c.queries - 1) * kIntervalMs) << c.what;
        EXPECT_EQ(r.status, kExitMatch) << c.what;
        EXPECT_EQ(watched.connectionCount(), c.queries) << c.what;
        const bool json = c.args.back() == "--json";
        EXPECT_NE((json ? records(r.out).back() : r.out).find(c.said), std::string::npos)
            << c.what << ": " << r.out;
        EXPECT_EQ(r.out.find("Query " + std::to_string(c.queries + 1)), std::string::npos);
    }
}

} // namespace
} // namespace pollwick::listtool
