// The made-up lists that the stand-in list server publishes: each line must
// read back as the server it describes, every field from the line itself,
// and every response must hold what makes it realistic: every game type and
// version (the plain ones with both markers), a private and a full server,
// colour codes and Windows-1252 letters.
#include "listserver/SimulatedList.h"

#include "core/scan/ResponseWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace pollwick::sim {
namespace {

class Collect final : public ResponseWalk::Hooks
{
public:
    void listRecord(const ServerRecord& record) override { records.push_back(record); }
    MatchVerdict testRecord(ServerRecord& /*record*/, ParsedFields fromLine) override
    {
        fields.push_back(fromLine);
        return MatchVerdict::NoMatch;
    }
    std::vector<ServerRecord> records;
    std::vector<ParsedFields> fields;
};

TEST(SimulatedList, EveryLineReadsAsTheServerItDescribesAndEveryListIsRealistic)
{
    ParsedFields all;
    for (const auto field : {ParsedFields::ServerName, ParsedFields::Players, ParsedFields::Version,
                             ParsedFields::GameType, ParsedFields::IpAddress}) {
        all.add(field);
    }
    for (const std::uint32_t seed : {1U, 7U, 4000000000U}) {
        for (int query = 0; query < 12; ++query) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " query " << query);
            const std::vector<SimulatedServer> servers = simulatedServers(seed, query);
            ResponseWalk walk;
            Collect read;
            walk.startResponse();
            walk.arrive(responseText(servers), read);
            ASSERT_EQ(read.records.size(), servers.size());
            std::set<std::string> seen;
            for (std::size_t i = 0; i < servers.size(); ++i) {
                const SimulatedServer& s = servers[i];
                const std::string players =
                    std::to_string(s.players) + "/" + std::to_string(s.maxPlayers);
                EXPECT_EQ(read.records[i],
                          (ServerRecord{s.name, s.gameType, s.version, players,
                                        s.isPrivate ? "Private" : "   " + s.address, s.isPrivate}))
                    << serverLine(s);
                EXPECT_EQ(read.fields[i], all) << serverLine(s);
                seen.insert(
                    {s.gameType, s.version + (s.controlMarker ? " DC4" : ""),
                     s.isPrivate ? "private" : "", s.isFull() ? "full" : "",
                     s.listedName.find('\xA7') != std::string::npos ? "colour" : "",
                     s.listedName.find('|') != std::string::npos ? "bar" : "",
                     std::ranges::any_of(s.name, [](char c) { return c < 0; }) ? "letter" : ""});
            }
            const std::set<std::string> realistic = {
                "Battle",   "Ctf",     "Treasure", "Coop",   "Race",   "1.21",
                "1.21 x",   "1.21 s",  "1.24",     "1.24 x", "1.24 s", "1.21 DC4",
                "1.24 DC4", "private", "full",     "colour", "bar",    "letter"};
            EXPECT_TRUE(std::ranges::includes(seen, realistic)) << testing::PrintToString(seen);
        }
    }
    EXPECT_EQ(simulatedResponse(11, 4), simulatedResponse(11, 4));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(11, 5));
    EXPECT_NE(simulatedResponse(11, 4), simulatedResponse(12, 4));
}

} // namespace
} // namespace pollwick::sim
