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

Outcome run(const std::vector<std::string>& args, const std::string& input = {},
            ListToolTiming timing = {})
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

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        out.push_back(line);
    }
    return out;
}

// Each line of --json output as an object; fails the test on a line that is
// not one.
std::vector<QJsonObject> jsonObjects(const std::string& text)
{
    std::vector<QJsonObject> objects;
    for (const std::string& line : lines(text)) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_TRUE(doc.isObject()) << line;
        objects.push_back(doc.object());
    }
    return objects;
}

std::string field(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString().toStdString();
}

// Five servers: a full one, a private one, two public ones, and one whose
// address step fails and keeps the address of the line before.
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

// --- Options ----------------------------------------------------------------

TEST(ListToolOptions, UsageErrorsExitTwoWithAMessage)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--host", "127.0.0.1", "--file", "x"},
        {"--bogus"},
        {"--host"},
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
        {"--host", ""},
        {"-x"},
    };
    for (const auto& args : wrong) {
        const Outcome r = run(args);
        std::string joined;
        for (const auto& a : args) {
            joined += a + " ";
        }
        EXPECT_EQ(r.status, kExitTrouble) << joined;
        EXPECT_TRUE(r.out.empty()) << joined;
        EXPECT_TRUE(r.err.starts_with("pollwick-list: ")) << joined << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << joined;
    }
}

TEST(ListToolOptions, HelpDocumentsEveryOptionAndTheExitStatuses)
{
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word :
         {"--host", "--port", "--file", "--timeout", "--match", "--name", "--ip", "--type",
          "--version", "--include-private", "--watch", "--json", "10057", "5 seconds",
          "Exit status", "serverName", "PassedOverFull", "notify-send", "nc "}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(run({"-h"}).out, r.out);
}

TEST(ListToolOptions, CriteriaTurnOnWalkModeAndAreTakenAsWindows1252)
{
    const ParsedOptions p =
        parseListOptions({"--file", "-", "--name=Caf\xC3\xA9", "--version", "1.24 x", "--ip",
                          "PRIV", "--type", "", "--include-private"});
    ASSERT_TRUE(p.options) << p.error;
    const ListOptions& o = *p.options;
    EXPECT_TRUE(o.walk);
    EXPECT_EQ(o.criteria.nameText, "Caf\xE9");
    EXPECT_TRUE(o.criteria.useName);
    EXPECT_EQ(o.criteria.versionText, "1.24 x");
    EXPECT_EQ(o.criteria.addressText, "PRIV");
    EXPECT_TRUE(o.criteria.useGameType);
    EXPECT_EQ(o.criteria.gameTypeText, "");
    EXPECT_TRUE(o.criteria.includePrivate);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--file", "-", "--match"}, {"--file", "-", "--include-private"}}) {
        const ParsedOptions walk = parseListOptions(args);
        ASSERT_TRUE(walk.options);
        EXPECT_TRUE(walk.options->walk);
        EXPECT_FALSE(walk.options->criteria.useName);
    }
    const ParsedOptions list =
        parseListOptions({"--host", "h", "--port=10058", "--timeout", "1.5"});
    ASSERT_TRUE(list.options) << list.error;
    EXPECT_FALSE(list.options->walk);
    EXPECT_EQ(list.options->port, 10058);
    EXPECT_EQ(list.options->timeoutMs, 1500);
    EXPECT_EQ(parseListOptions({"--host", "h"}).options->timeoutMs, 30000);
    EXPECT_EQ(parseListOptions({"--host", "h"}).options->port, 10057);
}

// --- Saved lists ------------------------------------------------------------

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
    EXPECT_EQ(field(objects[1], "ipAddress"), "Private");
    EXPECT_TRUE(objects[1].value("isPrivate").toBool());
    // No ":" on the third line: the address of the line before stays.
    EXPECT_EQ(field(objects[2], "ipAddress"), "Private");
    EXPECT_FALSE(objects[2].value("isPrivate").toBool());
    EXPECT_EQ(field(objects[3], "serverName"), "Caf\xC3\xA9 Racers");
    EXPECT_EQ(field(objects[3], "gameType"), "Race");
    EXPECT_EQ(field(objects[3], "version"), "1.24 s");
    EXPECT_EQ(field(objects[4], "players"), "0/8");
    for (const QJsonObject& object : objects) {
        EXPECT_FALSE(object.contains("verdict"));
        EXPECT_EQ(object.keys().size(), 6);
    }
}

TEST(ListToolFile, WalkModeStopsAtTheFirstMatchAndPrintsTheAddressAsListed)
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
    EXPECT_EQ(field(objects[1], "ipAddress"), "Private");
    // The line without ":" keeps the address that the test lower-cased on
    // the line before, and so is passed over as private too.
    EXPECT_EQ(field(objects[2], "verdict"), "PassedOverPrivate");
    EXPECT_EQ(field(objects[2], "ipAddress"), "private");
    EXPECT_FALSE(objects[2].value("isPrivate").toBool());
    EXPECT_EQ(field(objects[3], "verdict"), "Match");
    EXPECT_EQ(field(objects[3], "serverName"), "Caf\xC3\xA9 Racers");
}

TEST(ListToolFile, WalkAndListModeDifferWhereTheWindowsRecordDoes)
{
    // The test lower-cases the address in the working record; a next line
    // without an address shows it lower-cased, in walk mode only.
    const std::string response = "Host.Example:1 battle 1.24   [16/16] First\r\n"
                                 "no colon battle 1.24   [2/16] Second\r\n";
    const TempFile file(response);
    const auto listed = jsonObjects(run({"--file", file.path(), "--json"}).out);
    const Outcome walk = run({"--file", file.path(), "--type", "battle", "--json"});
    const auto walked = jsonObjects(walk.out);
    ASSERT_EQ(listed.size(), 2U);
    ASSERT_EQ(walked.size(), 2U);
    EXPECT_EQ(field(listed[1], "ipAddress"), "   Host.Example");
    EXPECT_EQ(field(walked[0], "ipAddress"), "   Host.Example");
    EXPECT_EQ(field(walked[1], "ipAddress"), "   host.example");
    EXPECT_EQ(field(walked[1], "verdict"), "Match");
    EXPECT_EQ(walk.status, kExitMatch);
}

TEST(ListToolFile, NoMatchExitsOneAfterWalkingEveryEntry)
{
    const TempFile file(kFiveLines);
    const Outcome r = run({"--file", file.path(), "--name", "nowhere"});
    EXPECT_EQ(r.status, kExitNoMatch);
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 6U); // header and five rows
    EXPECT_TRUE(rows[0].starts_with("Server Name"));
    EXPECT_TRUE(rows[0].ends_with("Verdict"));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].ends_with("  NoMatch")) << rows[i];
    }
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
    EXPECT_EQ(verdictOf({"--name", "caf\xC3\x89"}),
              "Match Caf\xC3\xA9 Racers"); // upper-case E acute
    EXPECT_EQ(verdictOf({"--version", "1.24 s"}), "Match Caf\xC3\xA9 Racers");
    EXPECT_EQ(verdictOf({"--version", "1.24 S"}), "NoMatch Last One");
    EXPECT_EQ(verdictOf({"--type", "r"}),
              "Match Caf\xC3\xA9 Racers"); // "Race"; "Treasure" comes later
    EXPECT_EQ(verdictOf({"--ip", "priv", "--include-private"}), "Match Secret Base");
    // Private servers are passed over unless included.
    EXPECT_EQ(verdictOf({"--ip", "priv"}), "NoMatch Last One");
}

TEST(ListToolFile, StandardInputIsReadLikeAFile)
{
    const TempFile file(kFiveLines);
    const Outcome fromFile = run({"--file", file.path()});
    const Outcome fromStdin = run({"--file", "-"}, kFiveLines);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, fromFile.out);
    EXPECT_EQ(lines(fromStdin.out).size(), 6U);
}

TEST(ListToolFile, LastLineWithoutLineEndIsIgnoredWithAWarning)
{
    const Outcome r = run({"--file", "-", "--json"}, "a:1 battle 1.24   [1/2] One\r\nb:2 ctf");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(jsonObjects(r.out).size(), 1U);
    EXPECT_NE(r.err.find("ends inside a line"), std::string::npos) << r.err;
}

TEST(ListToolFile, EmptyInputIsAnEmptyList)
{
    EXPECT_EQ(run({"--file", "-"}).out, "Server Name  Type  Version  Players  IP Address\n");
    EXPECT_EQ(run({"--file", "-"}).status, 0);
    EXPECT_EQ(run({"--file", "-", "--match"}).status, kExitNoMatch);
}

TEST(ListToolFile, MissingFileExitsTwo)
{
    const Outcome r = run({"--file", "/nonexistent/pollwick/list.txt"});
    EXPECT_EQ(r.status, kExitTrouble);
    EXPECT_NE(r.err.find("cannot open"), std::string::npos);
}

TEST(ListToolFile, ControlCharactersAndSectionSignsComeOutAsValidJson)
{
    // Every byte value in names; colour codes that are not codes stay.
    std::string name;
    for (int b = 1; b < 256; ++b) {
        if (b != '\n' && b != '[' && b != ']') {
            name += static_cast<char>(b);
        }
    }
    const std::string input = "h:1 battle 1.24   [1/2] " + name + "\xA7x\r\n";
    const Outcome r = run({"--file", "-", "--json", "--match"}, input);
    const auto objects = jsonObjects(r.out);
    ASSERT_EQ(objects.size(), 1U);
    const QString shown = objects[0].value("serverName").toString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral(u"\u00A7x")));
    EXPECT_TRUE(shown.contains(QChar(0x14)));
    EXPECT_TRUE(shown.contains(QChar(0x81)));
    EXPECT_EQ(r.out.find('\x14'), std::string::npos); // escaped, not raw
}

TEST(ListToolFile, TableShowsControlCharactersEscaped)
{
    const Outcome r = run({"--file", "-"}, "h:1 battle 1.21\x14\x14 [1/2] Bell\x07Name\r\n");
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_NE(rows[1].find("Bell\\x07Name"), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("1.21"), std::string::npos);
}

TEST(ListToolFile, AtMost32767EntriesAreRead)
{
    std::string input;
    for (int i = 0; i < 32767 + 3; ++i) {
        input += "192.0.2.1:" + std::to_string(i) + " battle 1.24   [1/16] Server\r\n";
    }
    const Outcome r = run({"--file", "-", "--json"}, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 32767);
    EXPECT_NE(r.err.find("more than 32767 lines"), std::string::npos) << r.err;
}

// --- Live list servers ------------------------------------------------------

class ListToolLive : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(sim::listenOnFreeLoopback(server)); }
    [[nodiscard]] std::string host() const { return server.address().toString().toStdString(); }

    ListServer server;
};

TEST_F(ListToolLive, ReadsTheListAsTheFileWouldGiveIt)
{
    server.setResponse(QByteArray::fromStdString(kFiveLines));
    const Outcome live = run({"--host", host(), "--json"});
    EXPECT_EQ(live.status, 0);
    EXPECT_EQ(live.err, "");
    EXPECT_EQ(live.out, run({"--file", "-", "--json"}, kFiveLines).out);
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST_F(ListToolLive, ChunksOfOneConnectionAreOneResponse)
{
    const QByteArray response = sim::generatedResponse(12, 0);
    server.setResponse(response);
    server.setChunking(37, 2); // cuts right through lines
    const Outcome live = run({"--host", host(), "--json"});
    EXPECT_EQ(live.status, 0);
    EXPECT_EQ(live.out, run({"--file", "-", "--json"}, response.toStdString()).out);
    EXPECT_EQ(jsonObjects(live.out).size(), static_cast<std::size_t>(response.count('\n')));
}

TEST_F(ListToolLive, ExitStatusesZeroOneForMatchAndNoMatch)
{
    server.setGenerated(5);
    EXPECT_EQ(run({"--host", host(), "--name", "no such server"}).status, kExitNoMatch);
    EXPECT_EQ(run({"--host", host(), "--match"}).status, kExitMatch);
    EXPECT_EQ(run({"--host", host()}).status, 0);
}

TEST_F(ListToolLive, PortOption)
{
    ListServer other;
    ASSERT_TRUE(other.listen(server.address(), 10058));
    other.setResponse("a:1 battle 1.24   [1/16] Other Port\r\n");
    const Outcome r = run({"--host", host(), "--port", "10058", "--json"});
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(jsonObjects(r.out).size(), 1U);
    EXPECT_EQ(field(jsonObjects(r.out)[0], "serverName"), "Other Port");
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(ListToolLive, UnreachableListServerExitsTwo)
{
    // This address is ours; nothing listens on it at port 10059.
    const Outcome r = run({"--host", host(), "--port", "10059", "--match"});
    EXPECT_EQ(r.status, kExitTrouble);
    EXPECT_NE(r.err.find("no list from"), std::string::npos) << r.err;
}

TEST_F(ListToolLive, ServerThatSendsNothingAndClosesExitsTwo)
{
    const Outcome r = run({"--host", host()});
    EXPECT_EQ(r.status, kExitTrouble);
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST_F(ListToolLive, ServerThatNeverAnswersTimesOut)
{
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    const Outcome r = run({"--host", host(), "--timeout", "0.3", "--match"});
    EXPECT_EQ(r.status, kExitTrouble);
    EXPECT_NE(r.err.find("did not finish its list within 0.3 s"), std::string::npos) << r.err;
}

TEST_F(ListToolLive, EndlessLineTimesOutWithoutFillingMemory)
{
    server.setMisbehaviour(Misbehaviour::EndlessLine);
    const Outcome r = run({"--host", host(), "--timeout", "0.5", "--json"});
    EXPECT_EQ(r.status, kExitTrouble);
    EXPECT_EQ(r.out, "");
}

TEST_F(ListToolLive, ResetMidLineKeepsTheCompleteLines)
{
    const QByteArray response = sim::generatedResponse(13, 0);
    server.setResponse(response);
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    const Outcome r = run({"--host", host(), "--json"});
    EXPECT_EQ(r.status, 0);
    const auto objects = jsonObjects(r.out);
    EXPECT_GT(objects.size(), 10U);
    EXPECT_LT(objects.size(), static_cast<std::size_t>(response.count('\n')));
    EXPECT_NE(r.err.find("ended inside a line"), std::string::npos) << r.err;
}

TEST_F(ListToolLive, NeverStopEndsAtTheEntryLimit)
{
    server.setGenerated(14);
    server.setMisbehaviour(Misbehaviour::NeverStop);
    const Outcome r = run({"--host", host(), "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 32767);
    EXPECT_NE(r.err.find("more than 32767 lines"), std::string::npos) << r.err;
}

TEST_F(ListToolLive, GarbageStillMakesValidJsonLines)
{
    server.setGenerated(15);
    server.setMisbehaviour(Misbehaviour::Garbage);
    const Outcome r = run({"--host", host(), "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_GT(jsonObjects(r.out).size(), 100U);
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

// Watch tests shorten the time between queries; the real 5000 ms has its own
// test below.
constexpr ListToolTiming kQuick{50};

TEST_F(ListToolLive, WatchEndsOnTheFirstQueryWhenItMatches)
{
    server.setResponse(QByteArray::fromStdString(kFiveLines));
    const Outcome r = run({"--host", host(), "--name", "racers", "--watch"}, {}, kQuick);
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
    const Outcome r = run({"--host", host(), "--name", "Arena", "--watch", "--json"}, {}, kQuick);
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(server.connectionCount(), 4);
    const auto objects = jsonObjects(r.out);
    std::size_t expected = 0;
    for (int query = 0; query < 3; ++query) {
        expected += sim::simulatedServers(seed, query).size();
    }
    ASSERT_GT(objects.size(), expected);
    for (std::size_t i = 0; i < expected; ++i) {
        EXPECT_NE(field(objects[i], "verdict"), "Match");
    }
    EXPECT_EQ(field(objects.back(), "verdict"), "Match");
    EXPECT_EQ(field(objects.back(), "serverName"), sim::kArenaName);
}

TEST_F(ListToolLive, WatchGivesUpWhenTheFirstQueryFails)
{
    const Outcome r = run({"--host", host(), "--port", "10059", "--match", "--watch"}, {}, kQuick);
    EXPECT_EQ(r.status, kExitTrouble);
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
    const Outcome r =
        run({"--host", host(), "--name", "wanted", "--watch", "--timeout", "0.3"}, {}, kQuick);
    EXPECT_EQ(r.status, kExitMatch);
    EXPECT_EQ(server.connectionCount(), 3);
    EXPECT_NE(r.err.find("did not finish"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Query 3"), std::string::npos);
}

} // namespace
} // namespace pollwick::listtool
