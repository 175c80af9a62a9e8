#include "listserver/SimulatedList.h"

#include "match/MatchTest.h"
#include "scan/ResponseWalk.h"
#include "scan/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace pollwick::sim {
namespace {

constexpr std::array<std::uint32_t, 6> kSeeds = {1, 2, 3, 7, 42, 4000000000U};
constexpr int kQueries = 12;

struct Parsed {
    ServerRecord record;
    ParsedFields fields;
};

// Walks a response as the window does and keeps every record it lists.
class Collect final : public ResponseWalk::Hooks
{
public:
    void listRecord(const ServerRecord& record) override { parsed.push_back({record, {}}); }
    MatchVerdict testRecord(ServerRecord& /*record*/, ParsedFields fromLine) override
    {
        parsed.back().fields = fromLine;
        return MatchVerdict::NoMatch;
    }
    std::vector<Parsed> parsed;
};

std::vector<Parsed> walk(const std::string& response)
{
    ResponseWalk walker;
    Collect hooks;
    walker.startResponse();
    walker.arrive(response, hooks);
    return hooks.parsed;
}

std::string expectedAddress(const SimulatedServer& server)
{
    return server.isPrivate ? "Private" : "   " + server.address;
}

std::string lowered(const std::string& text)
{
    return cp1252::toLower(text);
}

// --- The lines read as the simulator meant them --------------------------

TEST(SimulatedList, EveryLineParsesToTheServerItDescribes)
{
    for (const std::uint32_t seed : kSeeds) {
        for (int query = 0; query < kQueries; ++query) {
            const std::vector<SimulatedServer> servers = simulatedServers(seed, query);
            const std::vector<Parsed> parsed = walk(responseText(servers));
            ASSERT_EQ(parsed.size(), servers.size()) << "seed " << seed << " query " << query;
            for (std::size_t i = 0; i < servers.size(); ++i) {
                const SimulatedServer& want = servers[i];
                const ServerRecord& got = parsed[i].record;
                SCOPED_TRACE(testing::Message() << "seed " << seed << " query " << query << " line "
                                                << i << ": " << cp1252::toUtf8(serverLine(want)));
                EXPECT_EQ(got.serverName, want.name);
                EXPECT_EQ(got.gameType, want.gameType);
                EXPECT_EQ(got.version, want.version);
                EXPECT_EQ(got.players,
                          std::to_string(want.players) + "/" + std::to_string(want.maxPlayers));
                EXPECT_EQ(got.ipAddress, expectedAddress(want));
                EXPECT_EQ(got.isPrivate, want.isPrivate);
                // Every field comes from the line itself, none is carried
                // over from the line before.
                for (const auto field :
                     {ParsedFields::ServerName, ParsedFields::Players, ParsedFields::Version,
                      ParsedFields::GameType, ParsedFields::IpAddress}) {
                    EXPECT_TRUE(parsed[i].fields.has(field)) << "field " << int{field};
                }
            }
        }
    }
}

TEST(SimulatedList, LinesFollowTheListServerFormat)
{
    for (const SimulatedServer& server : simulatedServers(5, 3)) {
        const std::string line = serverLine(server);
        EXPECT_TRUE(line.starts_with(server.address + ":" + std::to_string(server.port) + " "));
        EXPECT_TRUE(line.ends_with(server.listedName + "\r\n"));
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
        EXPECT_EQ(line.find("private") != std::string::npos, server.isPrivate);
    }
}

TEST(SimulatedList, SizedListsHaveExactlyTheLinesAskedFor)
{
    for (const int count : {0, 1, 200, 32767}) {
        const std::string text = responseText(simulatedServers(9, 0, count));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), count);
    }
    const std::vector<SimulatedServer> servers = simulatedServers(9, 0, 200);
    const std::vector<Parsed> parsed = walk(responseText(servers));
    ASSERT_EQ(parsed.size(), 200U);
    for (std::size_t i = 0; i < servers.size(); ++i) {
        EXPECT_EQ(parsed[i].record.serverName, servers[i].name);
    }
}

// --- What makes the lists realistic --------------------------------------

TEST(SimulatedList, EveryResponseShowsEveryTypeVersionAPrivateAndAFullServer)
{
    for (const std::uint32_t seed : kSeeds) {
        for (int query = 0; query < kQueries; ++query) {
            std::set<std::string> types;
            std::set<std::string> versions;
            bool privateServer = false;
            bool fullServer = false;
            for (const SimulatedServer& server : simulatedServers(seed, query)) {
                types.insert(server.gameType);
                versions.insert(server.version);
                privateServer = privateServer || server.isPrivate;
                fullServer = fullServer || server.isFull();
            }
            EXPECT_EQ(types.size(), 5U) << seed << "/" << query;
            EXPECT_EQ(versions.size(), 6U) << seed << "/" << query;
            EXPECT_TRUE(privateServer) << seed << "/" << query;
            EXPECT_TRUE(fullServer) << seed << "/" << query;
        }
    }
}

TEST(SimulatedList, BothMarkersOfThePlainVersionsAreUsed)
{
    bool control = false;
    bool spaces = false;
    for (const SimulatedServer& server : simulatedServers(1, 0)) {
        if (server.version.size() == 4) {
            control = control || server.controlMarker;
            spaces = spaces || !server.controlMarker;
        }
    }
    EXPECT_TRUE(control);
    EXPECT_TRUE(spaces);
}

TEST(SimulatedList, NamesCarryColourCodesAndWindows1252Letters)
{
    bool sectionCode = false;
    bool bar = false;
    bool highByte = false;
    for (const SimulatedServer& server : simulatedServers(1, 0)) {
        const std::string& listed = server.listedName;
        for (std::size_t i = 0; i + 1 < listed.size(); ++i) {
            sectionCode = sectionCode ||
                (listed[i] == '\xA7' && listed[i + 1] >= '0' && listed[i + 1] <= '9');
        }
        bar = bar || listed.find('|') != std::string::npos;
        highByte = highByte || std::any_of(server.name.begin(), server.name.end(), [](char c) {
                       return static_cast<unsigned char>(c) >= 0x80;
                   });
        EXPECT_EQ(server.name.find('\xA7'), std::string::npos);
        EXPECT_EQ(server.name.find('|'), std::string::npos);
    }
    EXPECT_TRUE(sectionCode);
    EXPECT_TRUE(bar);
    EXPECT_TRUE(highByte);
}

TEST(SimulatedList, PlayersComeAndGoAndServersAppearAndVanish)
{
    const std::uint32_t seed = 3;
    int playerChanges = 0;
    int appeared = 0;
    int vanished = 0;
    for (int query = 1; query < kQueries; ++query) {
        std::map<std::string, int> before;
        for (const SimulatedServer& server : simulatedServers(seed, query - 1)) {
            before[server.address + ":" + std::to_string(server.port)] = server.players;
        }
        std::set<std::string> now;
        for (const SimulatedServer& server : simulatedServers(seed, query)) {
            const std::string key = server.address + ":" + std::to_string(server.port);
            now.insert(key);
            const auto it = before.find(key);
            if (it == before.end()) {
                ++appeared;
            } else if (it->second != server.players) {
                ++playerChanges;
            }
        }
        for (const auto& [key, players] : before) {
            vanished += now.contains(key) ? 0 : 1;
        }
    }
    EXPECT_GT(playerChanges, 100);
    EXPECT_GT(appeared, 5);
    EXPECT_GT(vanished, 5);
}

TEST(SimulatedList, SameSeedAndQueryGiveTheSameBytes)
{
    EXPECT_EQ(simulatedResponse(11, 4), simulatedResponse(11, 4));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(11, 5));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(12, 4));
}

// --- The Arena server, for watchers --------------------------------------

TEST(SimulatedList, ArenaTurnsUpWithinAFewQueriesAndStays)
{
    for (const std::uint32_t seed : kSeeds) {
        const int first = arenaFirstQuery(seed);
        EXPECT_GE(first, 1);
        EXPECT_LE(first, 3);
        for (int query = 0; query < kQueries; ++query) {
            int arenas = 0;
            for (const SimulatedServer& server : simulatedServers(seed, query)) {
                if (lowered(server.name).find("arena") != std::string::npos) {
                    ++arenas;
                    EXPECT_EQ(server.name, kArenaName);
                    EXPECT_FALSE(server.isPrivate);
                    EXPECT_FALSE(server.isFull());
                }
            }
            EXPECT_EQ(arenas, query >= first ? 1 : 0) << "seed " << seed << " query " << query;
        }
    }
}

TEST(SimulatedList, AWatcherForArenaMatchesTheArenaServerFirst)
{
    MatchCriteria criteria;
    criteria.useName = true;
    criteria.nameText = "Arena";
    for (const std::uint32_t seed : kSeeds) {
        for (int query = 0; query < 5; ++query) {
            std::int32_t armed = 1;
            std::string matched;
            for (Parsed& p : walk(simulatedResponse(seed, query))) {
                if (testRecord(p.record, criteria, armed) == MatchVerdict::Match) {
                    matched = p.record.serverName;
                    break;
                }
            }
            EXPECT_EQ(matched, query >= arenaFirstQuery(seed) ? kArenaName : "")
                << "seed " << seed << " query " << query;
        }
    }
}

} // namespace
} // namespace pollwick::sim
