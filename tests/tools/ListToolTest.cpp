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
#include <tuple>

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
    // More bytes than one response may hold are not read to their end: a
    // stream without a line end is no list. One of exactly that many is
    // read whole.
    constexpr std::size_t kBudget = std::size_t{32} << 20U;
    for (const auto& [bytes, status, complaint] :
         {std::tuple{kBudget, kExitMatch, "ends inside a line"},
          std::tuple{kBudget + 1, kExitTrouble,
                     "no line that could be listed in the first 32 MiB"}}) {
        const Outcome zeros = run("--file -", std::string(bytes, '\0'));
        EXPECT_EQ(zeros.status, status) << bytes;
        EXPECT_TRUE(zeros.out.empty()) << bytes;
        EXPECT_NE(zeros.err.find(complaint), std::string::npos) << zeros.err;
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

// Exactly as many lines as a list may hold are a whole list; one more is
// not read, and said so. A list whose lines carry a megabyte of address
// ends once its servers hold 32 MiB, and the JSON of each holds no more of
// it than the window shows.
TEST(ListToolFile, TheLimitsAreToldOnlyWhenThereWasMoreToRead)
{
    std::string lines;
    for (int line = 0; line < 32767; ++line) {
        lines += "x:1 [1/2] n\n";
    }
    const Outcome exact = run("--file -", lines);
    EXPECT_EQ(exact.status, kExitMatch);
    EXPECT_EQ(exact.err, "");
    const Outcome more = run("--file -", lines + "x:1 [1/2] n\n");
    EXPECT_EQ(more.status, kExitMatch);
    EXPECT_EQ(more.err,
              "pollwick-list: standard input: 32,767 servers listed, the rest not read "
              "(over 32,767 servers)\n");

    std::string carried = std::string(1000000, '\x01') + ":1 [1/2] Big\n";
    for (int line = 0; line < 100; ++line) {
        carried += "x\n";
    }
    const Outcome json = run("--file - --json", carried);
    EXPECT_EQ(json.status, kExitMatch);
    EXPECT_LT(json.out.size(), std::size_t{1} << 20U) << json.err;
    EXPECT_EQ(records(json.out).size(), 33U);
}

// Standard output that takes nothing: the tool stops and says so, rather
// than telling a list it could not print as printed.
TEST(ListToolFile, OutputThatCannotBeWrittenIsAFailure)
{
    class Refusing final : public std::streambuf
    {
    protected:
        int_type overflow(int_type /*c*/) override { return traits_type::eof(); }
        std::streamsize xsputn(const char* /*s*/, std::streamsize /*n*/) override { return 0; }
    };
    for (const char* line : {"--file -", "--file - --json", "--help"}) {
        Refusing refusing;
        QtEventLoop loop;
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            args.push_back(word);
        }
        std::ostream failing(&refusing);
        std::ostringstream complaint;
        std::istringstream input(kFiveLines);
        EXPECT_EQ(runListTool(args, input, failing, complaint, loop), kExitTrouble) << line;
        EXPECT_EQ(complaint.str(), "pollwick-list: the output could not be written\n") << line;
    }
}

// The program itself, its standard output full or closed: exit status 2
// and a word on standard error; a broken pipe still ends it as it always
// does.
TEST(ListToolProgram, OutputThatCannotBeWrittenExitsTwo)
{
    for (const char* redirect : {"> /dev/full", ">&-"}) {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"),
                     QStringLiteral("exec \"$0\" --file - %1").arg(QLatin1String(redirect)),
                     QStringLiteral(POLLWICK_LIST_PROGRAM)});
        ASSERT_TRUE(shell.waitForStarted());
        shell.write(kFiveLines.data(), static_cast<qint64>(kFiveLines.size()));
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished());
        EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit) << redirect;
        EXPECT_EQ(shell.exitCode(), kExitTrouble) << redirect;
        EXPECT_EQ(shell.readAllStandardError().toStdString(),
                  "pollwick-list: the output could not be written\n")
            << redirect;
    }
}

class ListToolLive : public ::testing::Test
{
public:
    void SetUp() override { ASSERT_TRUE(sim::listenOnFreeLoopback(server)); }
    // A run against the list server as it behaves now.
    Outcome runLive(const std::string& line)
    {
        return run("--host " + server.address().toString().toStdString() + " " + line);
    }

    ListServer server;
};

// A live list, read in pieces, as a file would give it, each row printed as
// it comes; then exit statuses and complaints for every way in which a list
// server can let the tool down. A list that breaks off is no whole list,
// and nothing but its rows goes to standard output.
TEST_F(ListToolLive, ExitStatusesAndComplaints)
{
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
        // Data without a line end is a cut list, never an empty whole one.
        {Misbehaviour::EndlessLine, list, "--name no_such", kExitTrouble,
         ": no line that could be listed in the first 32 MiB", false},
        {Misbehaviour::NeverStop, list, "--json", 0,
         ": 32,767 servers listed, the rest not read (over 32,767 servers)", true},
        {Misbehaviour::ResetMidLine, list, "--name Nothing", kExitTrouble,
         ": list cut off by a reset connection", true},
        {Misbehaviour::ResetMidLine, oneLine, "", kExitTrouble,
         ": list cut off by a reset connection", false},
        // A reset is a cut list, even right after a whole line.
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
    server.setMisbehaviour(Misbehaviour::NeverStop);
    EXPECT_EQ(records(runLive("--json").out).size(), 32767U);
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
