#include "list/ListTool.h"

#include "listserver/ListServer.h"
#include "listserver/SimulatedList.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
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

// Watch tests shorten the time between queries to this.
constexpr ListToolTiming kQuick{50};

Outcome run(const std::vector<std::string>& args, const std::string& input = {},
            ListToolTiming timing = kQuick)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome result;
    result.status = runListTool(args, in, out, err, timing);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Each line of --json output as an object; fails the test on a line that is
// not one.
std::vector<QJsonObject> jsonObjects(const std::string& text)
{
    std::vector<QJsonObject> objects;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        objects.push_back(doc.object());
    }
    return objects;
}

std::string field(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString().toStdString();
}

// Five servers: a full one, a private one, one whose address step fails and
// keeps the address of the line before, and two public ones.
const std::string kFiveLines = "Host.Example:7000 battle 1.24   [16/16] \xA7"
                               "1Full |House\r\n"
                               "192.0.2.2:7001 private ctf 1.21 x [3/8] Secret Base\r\n"
                               "no colon battle 1.24   [2/16] Borrowed Address\r\n"
                               "192.0.2.4:7003      Race 1.24 s [1/12] Caf\xE9 Racers\r\n"
                               "192.0.2.5:7004 treasure 1.21   [0/8] Last One\r\n";

class TempFile
{
public:
    explicit TempFile(const std::string& bytes)
    {
        std::ofstream file(path(), std::ios::binary);
        file << bytes;
    }
    [[nodiscard]] std::string path() const { return m_dir.filePath("list.txt").toStdString(); }

private:
    QTemporaryDir m_dir;
};

// --- Options and saved lists -----------------------------------------------

TEST(ListToolOptions, UsageErrorsExitTwoWithAMessage)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--host", "127.0.0.1", "--file", "x"},
        {"--bogus"},
        {"--host"},
        {"--host", ""},
        {"--host", "127.0.0.1", "--port", "0"},
        {"--host", "127.0.0.1", "--port", "65536"},
        {"--host", "127.0.0.1", "--port", "12ab"},
        {"--host", "127.0.0.1", "--timeout", "0"},
        {"--host", "127.0.0.1", "--timeout", "soon"},
        {"--host", "127.0.0.1", "--watch"},
        {"--file", "x", "--name", "a", "--watch"},
        {"--file", "x", "--port", "10057"},
        {"--file", "x", "--json=yes"},
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

TEST(ListToolFile, ListModePrintsEveryEntryWithTheCarriedOverRecord)
{
    const TempFile file(kFiveLines);
    const Outcome r = run({"--file", file.path(), "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto objects = jsonObjects(r.out);
    ASSERT_EQ(objects.size(), 5U);
    EXPECT_EQ(field(objects[0], "serverName"), "Full House");
    EXPECT_EQ(field(objects[0], "ipAddress"), "   Host.Example");
    EXPECT_TRUE(objects[1].value("isPrivate").toBool());
    // No ":" on the third line: the address of the line before stays.
    EXPECT_EQ(field(objects[2], "ipAddress"), "Private");
    EXPECT_FALSE(objects[2].value("isPrivate").toBool());
    EXPECT_EQ(field(objects[3], "serverName"), "Caf\xC3\xA9 Racers");
    EXPECT_EQ(field(objects[3], "version"), "1.24 s");
    EXPECT_FALSE(objects[4].contains("verdict"));
}

TEST(ListToolFile, WalkModeStopsAtTheFirstMatchWithTheWindowsRecord)
{
    const TempFile file(kFiveLines);
    const Outcome r = run({"--file", file.path(), "--match", "--json"});
    EXPECT_EQ(r.status, kExitMatch);
    const auto objects = jsonObjects(r.out);
    ASSERT_EQ(objects.size(), 4U);
    EXPECT_EQ(field(objects[0], "verdict"), "PassedOverFull");
    // Printed as listed, though the test lower-cased it.
    EXPECT_EQ(field(objects[0], "ipAddress"), "   Host.Example");
    EXPECT_EQ(field(objects[1], "verdict"), "PassedOverPrivate");
    // The line without ":" keeps the address that the test lower-cased on
    // the line before (list mode shows it as listed), and so is passed over
    // as private too.
    EXPECT_EQ(field(objects[2], "verdict"), "PassedOverPrivate");
    EXPECT_EQ(field(objects[2], "ipAddress"), "private");
    EXPECT_EQ(field(objects[3], "verdict"), "Match");
    EXPECT_EQ(field(objects[3], "serverName"), "Caf\xC3\xA9 Racers");
}

TEST(ListToolFile, CriteriaAsTheWindowReadsThem)
{
    const TempFile file(kFiveLines);
    const auto verdictOf = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--file", file.path(), "--json"});
        const auto objects = jsonObjects(run(args).out);
        return objects.empty()
            ? std::string()
            : field(objects.back(), "verdict") + " " + field(objects.back(), "serverName");
    };
    // Upper-case E acute, typed in UTF-8.
    EXPECT_EQ(verdictOf({"--name", "caf\xC3\x89"}), "Match Caf\xC3\xA9 Racers");
    EXPECT_EQ(verdictOf({"--version", "1.24 s"}), "Match Caf\xC3\xA9 Racers");
    EXPECT_EQ(verdictOf({"--version", "1.24 S"}), "NoMatch Last One");
    // "Race"; "Treasure" comes later.
    EXPECT_EQ(verdictOf({"--type", "r"}), "Match Caf\xC3\xA9 Racers");
    EXPECT_EQ(verdictOf({"--ip", "priv", "--include-private"}), "Match Secret Base");
    EXPECT_EQ(verdictOf({"--ip", "priv"}), "NoMatch Last One");
}

TEST(ListToolFile, StandardInputIsReadLikeAFileAndAMissingFileExitsTwo)
{
    const TempFile file(kFiveLines);
    const Outcome fromStdin = run({"--file", "-"}, kFiveLines);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, run({"--file", file.path()}).out);
    EXPECT_EQ(std::count(fromStdin.out.begin(), fromStdin.out.end(), '\n'), 6); // header, rows

    const Outcome cut = run({"--file", "-", "--json"}, "a:1 battle 1.24   [1/2] One\r\nb:2 ctf");
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(jsonObjects(cut.out).size(), 1U);
    EXPECT_NE(cut.err.find("ends inside a line"), std::string::npos) << cut.err;

    const Outcome missing = run({"--file", "/nonexistent/pollwick/list.txt"});
    EXPECT_EQ(missing.status, kExitTrouble);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

// --- Live list servers ------------------------------------------------------

class ListToolLive : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(sim::listenOnFreeLoopback(server)); }
    [[nodiscard]] std::string host() const { return server.address().toString().toStdString(); }

    ListServer server;
};

TEST_F(ListToolLive, ReadsTheListInPiecesAsTheFileWouldGiveIt)
{
    const QByteArray response = sim::generatedResponse(12, 0);
    server.setResponse(response);
    server.setChunking(37, 2); // cuts right through lines
    const Outcome live = run({"--host", host(), "--json"});
    EXPECT_EQ(live.status, 0);
    EXPECT_EQ(live.err, "");
    EXPECT_EQ(live.out, run({"--file", "-", "--json"}, response.toStdString()).out);
    EXPECT_EQ(jsonObjects(live.out).size(), static_cast<std::size_t>(response.count('\n')));
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST_F(ListToolLive, ExitStatusesAndComplaints)
{
    const QByteArray list = sim::generatedResponse(13, 0);
    const auto lines = static_cast<std::size_t>(list.count('\n'));
    // A run against the list server as it behaves now.
    const auto check = [&](std::vector<std::string> args, int status,
                           const std::string& complaint) {
        args.insert(args.begin(), {"--host", host()});
        Outcome r = run(args);
        EXPECT_EQ(r.status, status) << args.back();
        EXPECT_NE(r.err.find(complaint), std::string::npos) << args.back() << ": " << r.err;
        return r;
    };
    server.setResponse(list);
    EXPECT_EQ(jsonObjects(check({"--json"}, 0, "").out).size(), lines);
    check({"--match"}, kExitMatch, "");
    check({"--name", "no such"}, kExitNoMatch, "");
    check({"--port", "10059"}, kExitTrouble, "no list from");
    check({"--port", "10059", "--match", "--watch"}, kExitTrouble, "no list from");
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    check({"--timeout", "0.3", "--match"}, kExitTrouble, "did not finish its list within 0.3 s");
    server.setMisbehaviour(Misbehaviour::EndlessLine);
    EXPECT_EQ(check({"--timeout", "0.5", "--json"}, kExitTrouble, "did not finish").out, "");
    server.setMisbehaviour(Misbehaviour::NeverStop);
    EXPECT_EQ(jsonObjects(check({"--json"}, 0, "more than 32767 lines").out).size(), 32767U);
    // The complete lines, and a word about the cut one.
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    const std::size_t kept = jsonObjects(check({"--json"}, 0, "ended inside a line").out).size();
    EXPECT_GT(kept, 10U);
    EXPECT_LT(kept, lines);
    server.setMisbehaviour(Misbehaviour::None);
    server.setResponse({});
    check({"--match"}, kExitTrouble, "no list from");
}

TEST_F(ListToolLive, PortOption)
{
    ListServer other;
    ASSERT_TRUE(other.listen(server.address(), 10058));
    other.setResponse("a:1 battle 1.24   [1/16] Other Port\r\n");
    const auto objects = jsonObjects(run({"--host", host(), "--port", "10058", "--json"}).out);
    ASSERT_EQ(objects.size(), 1U);
    EXPECT_EQ(field(objects[0], "serverName"), "Other Port");
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(ListToolLive, MatchClosesTheConnectionAndIgnoresTheRest)
{
    server.setResponse(QByteArray::fromStdString(kFiveLines));
    server.setChunking(60, 20);
    QSignalSpy finished(&server, &ListServer::connectionFinished);
    const Outcome r = run({"--host", host(), "--match", "--json"});
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(jsonObjects(r.out).size(), 4U);
    EXPECT_TRUE(finished.count() == 1 || finished.wait(10000));
}

// --- Watching -------------------------------------------------------------

TEST_F(ListToolLive, WatchEndsOnTheFirstQueryWhenItMatches)
{
    server.setResponse(QByteArray::fromStdString(kFiveLines));
    const Outcome r = run({"--host", host(), "--name", "racers", "--watch"});
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(server.connectionCount(), 1);
    EXPECT_TRUE(r.out.starts_with("Query 1 at ")) << r.out;
    EXPECT_EQ(r.out.find("Query 2"), std::string::npos);
}

TEST_F(ListToolLive, WatchAsksAgainUntilTheArenaServerTurnsUp)
{
    const quint32 seed = 2; // Arena from the fourth query on
    ASSERT_EQ(sim::arenaFirstQuery(seed), 3);
    server.setGenerated(seed);
    const Outcome r = run({"--host", host(), "--name", "Arena", "--watch", "--json"});
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(server.connectionCount(), 4);
    const auto objects = jsonObjects(r.out);
    ASSERT_FALSE(objects.empty());
    EXPECT_EQ(std::count_if(objects.begin(), objects.end(),
                            [](const QJsonObject& o) { return field(o, "verdict") == "Match"; }),
              1);
    EXPECT_EQ(field(objects.back(), "verdict"), "Match");
    EXPECT_EQ(field(objects.back(), "serverName"), sim::kArenaName);
}

TEST_F(ListToolLive, WatchRetriesAfterALaterQueryFails)
{
    // First query: nothing matches. Second: silence until the timeout.
    // Third: a match.
    server.setResponse("a:1 battle 1.24   [1/16] Nothing Here\r\n");
    QObject::connect(&server, &ListServer::connectionAccepted, &server, [this](int count) {
        if (count == 1) {
            server.setMisbehaviour(Misbehaviour::NeverAnswer);
        } else if (count == 2) {
            server.setMisbehaviour(Misbehaviour::None);
            server.setResponse("a:1 battle 1.24   [1/16] Wanted Server\r\n");
        }
    });
    const Outcome r = run({"--host", host(), "--name", "wanted", "--watch", "--timeout", "0.3"});
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(server.connectionCount(), 3);
    EXPECT_NE(r.err.find("did not finish"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Query 3"), std::string::npos);
}

} // namespace
} // namespace pollwick::listtool
