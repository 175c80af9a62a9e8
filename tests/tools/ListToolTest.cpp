// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/ListTool.h"

#include "list/QtEventLoop.h"
#include "listserver/ListServer.h"
#include "listserver/SimulatedList.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

namespace pollwick::listtool {
namespace {

using sim::ListServer;
using sim::Misbehaviour;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::string firstFlush; // what had gone to standard output at its first flush
};

// Standard output that notes what had been written when it was first
// flushed.
class FlushNotingOutput final : public std::stringbuf
{
public:
    std::optional<std::string> firstFlush;

protected:
    int sync() override
    {
        if (!firstFlush) {
            firstFlush = str();
        }
        return 0;
    }
};

// --watch waits this long between queries here.
constexpr int kIntervalMs = 100;

// A run of the tool with the words of `line` as its arguments.
Outcome run(const std::string& line, const std::string& input = {})
{
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        args.push_back(word);
    }
    std::istringstream in(input);
    FlushNotingOutput outBuffer;
    std::ostream out(&outBuffer);
    std::ostringstream err;
    QtEventLoop loop;
    const int status = runListTool(args, in, out, err, loop, ListToolTiming{kIntervalMs});
    return {status, outBuffer.str(), err.str(), outBuffer.firstFlush.value_or("")};
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
    for (const char* wrong :
         {"", "--host h --file x", "--bogus", "--host=", "--host h --port 65536",
          "--host h --timeout 0", "--host h --watch", "--file x --port 10057"}) {
        const Outcome r = run(wrong);
        EXPECT_EQ(r.status, kExitTrouble) << wrong;
        EXPECT_TRUE(r.out.empty()) << wrong;
        EXPECT_TRUE(r.err.starts_with("pollwick-list: ")) << wrong << r.err;
    }
    EXPECT_EQ(run("--help").status, 0);
}

// A saved list, walked as the window walks it: list mode prints every entry,
// walk mode stops at the first match; both print each record as listed,
// though the test lower-cased it. Criteria typed in UTF-8 are read as the
// window reads them.
TEST(ListToolFile, ListAndWalkModesPrintTheRecordsAsListed)
{
    const QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("list.txt")).toStdString();
    std::ofstream(path, std::ios::binary) << kFiveLines;
    const std::string racers = "Match|Caf\xC3\xA9 Racers|   192.0.2.4";
    EXPECT_EQ(records(run("--file " + path + " --json").out),
              (std::vector<std::string>{"|Full House|   Host.Example", "|Secret Base|Private",
                                        "|Borrowed Address|Private", racers.substr(5),
                                        "|Last One|   192.0.2.5"}));
    const Outcome walk = run("--file - --match --json", kFiveLines);
    EXPECT_EQ(walk.status, kExitMatch);
    EXPECT_EQ(records(walk.out),
              (std::vector<std::string>{"PassedOverFull|Full House|   Host.Example",
                                        "PassedOverPrivate|Secret Base|Private",
                                        "PassedOverPrivate|Borrowed Address|private", racers}));
    // An upper-case E acute.
    EXPECT_EQ(records(run("--file - --name caf\xC3\x89 --json", kFiveLines).out).back(), racers);
    const Outcome missing = run("--file /nonexistent/pollwick/list.txt");
    EXPECT_EQ(missing.status, kExitTrouble);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

// A saved list ends where a list server's answer would, and says so: one
// cut in a line, or at the limit of servers, still counts as a list; more
// bytes than one answer may hold without a line end are none. (Where the
// limits lie is the walk's rule.)
TEST(ListToolFile, HowASavedListEndedIsToldAndDecidesTheStatus)
{
    constexpr std::size_t kBudget = std::size_t{32} << 20U;
    std::string servers;
    for (int line = 0; line < 32768; ++line) {
        servers += "x:1 [1/2] n\n";
    }
    const struct {
        std::size_t zeros; // the input, or `servers` when none
        int status;
        std::string complaint;
    } cases[] = {
        {kBudget, kExitMatch, "standard input ends inside a line"},
        {kBudget + 1, kExitTrouble,
         "standard input: no line that could be listed in the first 32 MiB"},
        {0, kExitMatch,
         "pollwick-list: standard input: 32,767 servers listed, the rest not read "
         "(over 32,767 servers)\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = run("--file -", c.zeros > 0 ? std::string(c.zeros, '\0') : servers);
        EXPECT_EQ(r.status, c.status) << c.complaint;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
    }
}

// A quit that comes before the loop runs (a query that ended at once) ends
// the run at once.
TEST(ListToolLoop, AQuitBeforeTheLoopRunsEndsItAtOnce)
{
    QtEventLoop loop;
    loop.quit();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(10000, [&loop] { loop.quit(); });
    loop.run();
    EXPECT_LT(clock.elapsed(), 5000);
}

// The program itself, its standard output full or closed, for a table,
// JSON Lines and the help: the tool stops, rather than telling a list it
// could not print as printed, with exit status 2 and a word on standard
// error; a broken pipe still ends it as it always does.
TEST(ListToolProgram, OutputThatCannotBeWrittenExitsTwo)
{
    for (const char* redirect : {"> /dev/full", ">&-"}) {
        for (const char* options : {"--file -", "--file - --json", "--help"}) {
            const QString command = QStringLiteral("exec \"$0\" %1 %2")
                                        .arg(QLatin1String(options), QLatin1String(redirect));
            QProcess shell;
            shell.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), command, QStringLiteral(POLLWICK_LIST_PROGRAM)});
            ASSERT_TRUE(shell.waitForStarted());
            shell.write(kFiveLines.data(), static_cast<qint64>(kFiveLines.size()));
            shell.closeWriteChannel();
            ASSERT_TRUE(shell.waitForFinished());
            EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit) << command.toStdString();
            EXPECT_EQ(shell.exitCode(), kExitTrouble) << command.toStdString();
            EXPECT_EQ(shell.readAllStandardError().toStdString(),
                      "pollwick-list: the output could not be written\n")
                << command.toStdString();
        }
    }
}

// A live list, read in pieces, as a file would give it, each row printed as
// it comes; then the exit status and complaint of each kind of end: no
// match, no list (told with the timeout given), a limit reached (still a
// list), and a list cut off after rows were printed (nothing but the rows
// on standard output). How each list ends is the engine's rule, tested
// with it.
TEST(ListToolLive, ExitStatusesAndComplaints)
{
    ListServer server;
    ASSERT_TRUE(sim::listenOnFreeLoopback(server));
    // A run against the list server as it behaves now.
    const auto runLive = [&server](const std::string& line) {
        return run("--host " + server.address().toString().toStdString() + " " + line);
    };
    const QByteArray list = sim::generatedResponse(13, 0);
    server.setResponse(list);
    server.setChunking(37, 2); // cuts right through lines
    const Outcome whole = runLive("--json");
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(whole.out, run("--file - --json", list.toStdString()).out);
    const Outcome table = runLive("");
    EXPECT_TRUE(table.firstFlush.starts_with("Server Name")) << table.firstFlush;
    EXPECT_LT(table.firstFlush.size(), table.out.size());
    const QByteArray oneLine = "192.0.2.1:7000 battle 1.24   [1/16] Nothing\r\n";
    const struct {
        Misbehaviour misbehaviour;
        QByteArray response;
        std::string line;
        int status;
        std::string complaint;
        bool printed; // anything on standard output
    } cases[] = {
        {Misbehaviour::None, list, "--name no_such", kExitNoMatch, "", true},
        {Misbehaviour::None, list, "--port 10059 --match --watch", kExitTrouble,
         "connection refused", false},
        {Misbehaviour::NeverAnswer, list, "--timeout 0.3", kExitTrouble,
         ": no answer in time (0.3 s)", false},
        {Misbehaviour::NeverStop, list, "--json", 0,
         ": 32,767 servers listed, the rest not read (over 32,767 servers)", true},
        {Misbehaviour::ResetAfterList, oneLine, "--json", kExitTrouble,
         ": list cut off by a reset connection", true},
    };
    for (const auto& c : cases) {
        server.setResponse(c.response);
        server.setMisbehaviour(c.misbehaviour);
        const Outcome r = runLive(c.line);
        EXPECT_EQ(r.status, c.status) << c.line;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << c.line << ": " << r.err;
        EXPECT_EQ(!r.out.empty(), c.printed) << c.line << ": " << r.out;
    }
}

// --watch asks again, after the interval, until a query matches; a query
// that fails after the first is only retried.
TEST(ListToolWatch, AsksAgainAfterTheIntervalUntilAMatch)
{
    const struct {
        std::function<void(ListServer&)> serve;
        std::string line;
        int queries;
        std::string said; // on standard output, or with --json the last record
    } cases[] = {
        // Arena from the fourth query on.
        {[](ListServer& s) { s.setGenerated(2); }, "--name Arena --json", 4,
         "Match|" + std::string(sim::kArenaName) + "|"},
        // Nothing, then silence, then a match.
        {[](ListServer& s) {
             s.setResponse("a:1 battle 1.24   [1/16] Nothing Here\r\n");
             QObject::connect(&s, &ListServer::connectionAccepted, &s, [&s](int count) {
                 s.setMisbehaviour(count == 1 ? Misbehaviour::NeverAnswer : Misbehaviour::None);
                 s.setResponse("a:1 battle 1.24   [1/16] Wanted Server\r\n");
             });
         },
         "--name wanted --timeout 0.3", 3, "Query 3 at "},
    };
    for (const auto& c : cases) {
        ListServer server;
        ASSERT_TRUE(sim::listenOnFreeLoopback(server));
        c.serve(server);
        QElapsedTimer clock;
        clock.start();
        const Outcome r =
            run("--watch --host " + server.address().toString().toStdString() + " " + c.line);
        EXPECT_GE(clock.elapsed(), (c.queries - 1) * kIntervalMs) << c.line;
        EXPECT_EQ(r.status, kExitMatch) << c.line;
        EXPECT_EQ(server.connectionCount(), c.queries) << c.line;
        const bool json = c.line.ends_with("--json");
        EXPECT_NE((json ? records(r.out).back() : r.out).find(c.said), std::string::npos)
            << c.line << ": " << r.out;
        EXPECT_EQ(r.out.find("Query " + std::to_string(c.queries + 1)), std::string::npos);
    }
}

} // namespace
} // namespace pollwick::listtool
