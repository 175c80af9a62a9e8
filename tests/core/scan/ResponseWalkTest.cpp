#include "core/scan/ResponseWalk.h"

#include "core/match/MatchTest.h"
#include "core/scan/ServerLineParser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pollwick {
namespace {

std::vector<std::string> entries(const ResponseWalk& walk)
{
    return {walk.servList().begin(), walk.servList().end()};
}

// Everything the window would see of one response: the rows it lists and, for
// each tested record, the record after the test, the verdict and what the line
// set itself.
struct Outcome {
    std::vector<ServerRecord> rows;
    std::vector<ServerRecord> tested;
    std::vector<MatchVerdict> verdicts;
    std::vector<ParsedFields> fields;
    std::int32_t matchArmed = 1;
    bool ended = false;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

class Recorder final : public ResponseWalk::Hooks
{
public:
    Outcome outcome;
    // Decides each verdict; by default nothing matches.
    std::function<MatchVerdict(ServerRecord&)> decide = [](ServerRecord&) {
        return MatchVerdict::NoMatch;
    };

    void listRecord(const ServerRecord& record) override { outcome.rows.push_back(record); }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override
    {
        const auto verdict = decide(record);
        outcome.tested.push_back(record);
        outcome.verdicts.push_back(verdict);
        outcome.fields.push_back(fromLine);
        return verdict;
    }
};

std::vector<std::string> names(const std::vector<ServerRecord>& rows)
{
    std::vector<std::string> result;
    result.reserve(rows.size());
    for (const auto& row : rows) {
        result.push_back(row.serverName);
    }
    return result;
}

// A response that exercises carried-over fields, the in-place lower-casing of
// the address and every verdict, tested for version 1.21.
const std::string kResponse = "10.0.0.1:5 battle 1.24   [3/16] \xA7"
                              "1Alpha |One\r\n"
                              "Host.B:5 ctf 1.21   [8/8] Full\r\n"
                              "\r\n"
                              "\n"
                              "private treasure [1/4] Hidden\n"
                              "no colon [2/4] Open\r\n"
                              "10.0.0.7:5 1.21   [2/4] Seven\r\n"
                              "10.0.0.8:5 1.21   [1/4] Eight\r\n"
                              "tail";

Outcome walkInChunks(const std::vector<std::string_view>& chunks)
{
    MatchCriteria criteria;
    criteria.useVersion = true;
    criteria.versionText = "1.21";
    Recorder hooks;
    hooks.decide = [&](ServerRecord& record) {
        return testRecord(record, criteria, hooks.outcome.matchArmed);
    };
    ResponseWalk walk;
    walk.startResponse();
    for (const auto chunk : chunks) {
        if (walk.ended()) {
            break; // the window ignores the rest of the connection
        }
        walk.arrive(chunk, hooks);
    }
    hooks.outcome.ended = walk.ended();
    return hooks.outcome;
}

TEST(ResponseWalk, WalksTheResponseInOrderUntilAMatch)
{
    using V = MatchVerdict;
    const auto outcome = walkInChunks({kResponse});
    EXPECT_EQ(names(outcome.rows),
              (std::vector<std::string>{"Alpha One", "Full", "  ", " ", "Hidde", "Open", "Seven"}));
    EXPECT_EQ(outcome.verdicts,
              (std::vector<V>{V::NoMatch, V::PassedOverFull, V::PassedOverFull, V::PassedOverFull,
                              V::PassedOverPrivate, V::PassedOverPrivate, V::Match}));
    EXPECT_TRUE(outcome.ended);

    // The row keeps the capitals; the test lower-cases the working record,
    // and a later line without an address carries the lower-cased text.
    EXPECT_EQ(outcome.rows[1].ipAddress, "   Host.B");
    EXPECT_EQ(outcome.tested[1].ipAddress, "   host.b");
    EXPECT_EQ(outcome.rows[2].ipAddress, "   host.b");
    EXPECT_EQ(outcome.rows[5].ipAddress, "private");
    EXPECT_FALSE(outcome.rows[5].isPrivate);
    EXPECT_FALSE(outcome.fields[5].has(ParsedFields::IpAddress));
    EXPECT_EQ(outcome.rows[3].version, "1.21");
    EXPECT_EQ(outcome.rows[3].players, "8/8");
}

TEST(ResponseWalk, ChunkingDoesNotChangeTheOutcome)
{
    const auto whole = walkInChunks({kResponse});
    const std::string_view response = kResponse;
    for (std::size_t cut = 0; cut <= response.size(); ++cut) {
        EXPECT_EQ(walkInChunks({response.substr(0, cut), response.substr(cut)}), whole)
            << "cut at " << cut;
    }
    std::vector<std::string_view> bytes;
    for (std::size_t i = 0; i < response.size(); ++i) {
        bytes.push_back(response.substr(i, 1));
    }
    EXPECT_EQ(walkInChunks(bytes), whole);
}

TEST(ResponseWalk, DropsAnOverlongLineWhole)
{
    ResponseWalk walk({32767, 10, 32u << 20u});
    Recorder hooks;
    walk.startResponse();
    walk.arrive("0123456789\n0123456789A\nB:1 [] cd\n", hooks);
    EXPECT_EQ(entries(walk), (std::vector<std::string>{"   0123456789", "   B:1 [] cd"}));
    EXPECT_EQ(walk.discardedLines(), 1u);
}

TEST(ResponseWalk, DropsALineThatGrowsTooLongOverManyArrivals)
{
    ResponseWalk walk({32767, 16, 32u << 20u});
    Recorder hooks;
    walk.startResponse();
    walk.arrive("A:1 [1/2] ab\r\n0123", hooks);
    for (int i = 0; i < 10; ++i) {
        walk.arrive("45678", hooks);
    }
    walk.arrive("\nB:1 [2/3] cd\r\n", hooks);
    walk.arrive("0123456789ABCDEF", hooks); // at the limit so far
    walk.arrive("G", hooks);
    walk.arrive("\n", hooks);
    walk.arrive("C:1 [3/4] ef\r\n", hooks);
    EXPECT_EQ(names(hooks.outcome.rows), (std::vector<std::string>{"ab", "cd", "ef"}));
    EXPECT_EQ(walk.discardedLines(), 2u);
}

TEST(ResponseWalk, StopsAtTheByteBudget)
{
    for (const auto& chunks :
         {std::vector<std::string>{"0123456789\n0123456789\n0123456789\n"
                                   "0123456789\n"},
          std::vector<std::string>{"0123456789\n0123", "456789\n01234567", "89\n0123456789\n"}}) {
        ResponseWalk walk({32767, 1u << 20u, 27});
        Recorder hooks;
        walk.startResponse();
        for (const auto& chunk : chunks) {
            walk.arrive(chunk, hooks);
        }
        EXPECT_EQ(hooks.outcome.rows.size(), 2u);
        EXPECT_EQ(walk.discardedLines(), 2u);

        walk.startResponse();
        walk.arrive("0123456789\n", hooks);
        EXPECT_EQ(hooks.outcome.rows.size(), 3u);
    }

    // Once a line has not fitted, the response is full: a shorter line after
    // it, which would still fit, is not listed out of order.
    ResponseWalk walk({32767, 1u << 20u, 30});
    Recorder hooks;
    walk.startResponse();
    walk.arrive("a:1 [] one\nb:1 [] two\nc:1 [] three\nd\n", hooks);
    EXPECT_EQ(names(hooks.outcome.rows), (std::vector<std::string>{"on", "tw"}));
    EXPECT_EQ(walk.discardedLines(), 2u);
}

} // namespace
} // namespace pollwick
