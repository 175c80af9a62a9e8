#include "listserver/SimulatedList.h"

#include "core/Windows1252.h"
#include "core/scan/ResponseWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// What the tests that use these lists rely on: in every response every game
// type, every version with both markers of the plain ones, a private and a
// full server, colour codes and Windows-1252 letters; lists that change from
// one query to the next but not from one run to the next.
TEST(SimulatedList, EveryResponseHoldsWhatMakesItRealistic)
{
    for (const std::uint32_t seed : kSeeds) {
        for (int query = 0; query < kQueries; ++query) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " query " << query);
            std::set<std::string> types;
            std::set<std::string> versions;
            std::set<bool> plainMarkers;
            bool privateServer = false;
            bool fullServer = false;
            bool sectionCode = false;
            bool bar = false;
            bool highByte = false;
            for (const SimulatedServer& server : simulatedServers(seed, query)) {
                types.insert(server.gameType);
                versions.insert(server.version);
                if (server.version.size() == 4) {
                    plainMarkers.insert(server.controlMarker);
                }
                privateServer = privateServer || server.isPrivate;
                fullServer = fullServer || server.isFull();
                const std::string& listed = server.listedName;
                sectionCode = sectionCode || listed.find('\xA7') != std::string::npos;
                bar = bar || listed.find('|') != std::string::npos;
                highByte = highByte ||
                    std::any_of(server.name.begin(), server.name.end(),
                                [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            }
            EXPECT_EQ(types.size(), 5U);
            EXPECT_EQ(versions.size(), 6U);
            EXPECT_EQ(plainMarkers.size(), 2U);
            EXPECT_TRUE(privateServer && fullServer && sectionCode && bar && highByte);
        }
    }
    EXPECT_EQ(simulatedResponse(11, 4), simulatedResponse(11, 4));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(11, 5));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(12, 4));
}

} // namespace
} // namespace pollwick::sim
