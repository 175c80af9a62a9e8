// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ResponseWalk.h"

#include "core/match/MatchTest.h"
#include "core/scan/ServerLineParser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pollwick {
namespace {

// What the window sees of each record of a response, one text a record:
// the name, version, players and address as listed, the fields that the
// line did not set, the verdict, and the address as tested. Each record is
// tested against `criteria` if given (otherwise nothing matches).
class Recorder final : public ResponseWalk::Hooks
{
public:
    explicit Recorder(const MatchCriteria* criteria = nullptr)
        : m_criteria(criteria)
    { }
    void listRecord(const ServerRecord& r) override
    {
        seen.push_back(r.serverName + "|" + r.version + "|" + r.players + "|" + r.ipAddress);
        names.push_back(r.serverName);
    }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override
    {
        const MatchVerdict verdict = m_criteria != nullptr
            ? pollwick::testRecord(record, *m_criteria)
            : MatchVerdict::NoMatch;
        seen.back() += std::string(fromLine.has(ParsedFields::IpAddress) ? "" : " (carried)") +
            " " + std::to_string(static_cast<int>(verdict)) + " " + record.ipAddress;
        return verdict;
    }

    std::vector<std::string> seen;
    std::vector<std::string> names;

private:
    const MatchCriteria* m_criteria;
};

// A response that exercises carried-over fields, the in-place lower-casing of
// the address and every verdict (0 no match, 1 private and 2 full passed
// over, 3 match), tested for version 1.21, and what the window sees of it;
// how it is cut into pieces changes nothing.
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
const std::vector<std::string> kSeen = {
    "Alpha One|1.24|3/16|   10.0.0.1 0    10.0.0.1",
    // The row keeps the capitals; the test lower-cases the working record,
    // and a later line without an address carries the lower-cased text.
    "Full|1.21|8/8|   Host.B 2    host.b",
    "  |1.21|8/8|   host.b (carried) 2    host.b",
    " |1.21|8/8|   host.b (carried) 2    host.b",
    "Hidde|1.21|1/4|Private 1 private",
    "Open|1.21|2/4|private (carried) 1 private",
    "Seven|1.21|2/4|   10.0.0.7 3    10.0.0.7",
};

std::vector<std::string> walkInPieces(const std::vector<std::string_view>& pieces)
{
    MatchCriteria criteria;
    criteria.useVersion = true;
    criteria.versionText = "1.21";
    Recorder hooks(&criteria);
    ResponseWalk walk;
    walk.startResponse();
    for (const auto piece : pieces) {
        walk.arrive(piece, hooks); // after a match, the rest is ignored
    }
    EXPECT_TRUE(walk.ended());
    return hooks.seen;
}

TEST(ResponseWalk, WalksTheResponseInOrderUntilAMatchHoweverItIsCut)
{
    const std::string_view response = kResponse;
    EXPECT_EQ(walkInPieces({response}), kSeen);
    for (std::size_t cut = 0; cut <= response.size(); ++cut) {
        EXPECT_EQ(walkInPieces({response.substr(0, cut), response.substr(cut)}), kSeen)
            << "cut at " << cut;
    }
}

// What the limits keep of a response that arrives in the given pieces (an
// empty piece starts the next response): the names listed and the lines
// discarded from the last response.
TEST(ResponseWalk, KeepsWithinTheLimits)
{
    const std::string ten = "x:1 [] 789\n"; // an entry of 13 bytes, named "78"
    constexpr std::size_t kMiB = std::size_t{1} << 20U;
    // A line of exactly the default length limit, LF not counted, named "bi".
    const std::string full = std::string(kMiB - 9, 'p') + ":1 [] big";
    const std::string next = "n:1 [] next\n";
    const struct {
        const char* what;
        ResponseLimits limits;
        std::vector<std::string> pieces;
        std::vector<std::string> names;
        std::size_t discarded;
        bool full = false; // nothing more of this response can be listed
    } cases[] = {
        {"a line over the limit is dropped whole",
         {32767, 10, 32U << 20U},
         {"0123456789\n0123456789A\nB:1 [] cd\n"},
         {"  012345678", "c"},
         1},
        {"a line that grows too long over many arrivals",
         {32767, 16, 32U << 20U},
         {"A:1 [1/2] ab\r\n0123", "45678", "45678", "45678", "45678", "\nB:1 [2/3] cd\r\n",
          "0123456789ABCDEF", "G", "\n", "C:1 [3/4] ef\r\n"},
         {"ab", "cd", "ef"},
         2},
        {"the byte budget, and a new response",
         {32767, kMiB, 27},
         {ten + ten + ten + ten, "", ten},
         {"78", "78", "78"},
         0},
        {"the byte budget in pieces",
         {32767, kMiB, 27},
         {"x:1 [] 789\nx:1 ", "[] 789\nx:1 [] 7", "89\nx:1 [] 789\n"},
         {"78", "78"},
         2,
         true},
        // Line ends count: two lines of 11 bytes spend 22. Spent exactly,
        // nothing was left unread; one byte more is.
        {"the byte budget spent exactly", {32767, kMiB, 22}, {ten + ten}, {"78", "78"}, 0},
        {"a byte past the budget", {32767, kMiB, 22}, {ten + ten, "x"}, {"78", "78"}, 0, true},
        // A dropped line costs its bytes; the next line still ends within
        // the budget, and a shorter line after one that does not fit is
        // not listed out of order.
        {"a dropped line counts, and what fits after it is listed",
         {32767, 12, 40},
         {"0123456789ABCDEF\nb:1 [] two\n", "c:1 [] three\nd\n"},
         {"tw"},
         3,
         true},
        {"a line that never ends fills the budget",
         {32767, 10, 30},
         {"B:1 [] cd\n0123456789AB", "CDEF", "GHIJ", "K"},
         {"c"},
         0,
         true},
        {"the entry limit", {2, kMiB, 32U << 20U}, {ten + ten + ten}, {"78", "78"}, 1, true},
        {"exactly the entry limit", {2, kMiB, 32U << 20U}, {ten + ten}, {"78", "78"}, 0},
        // Each record holds its name, players and the address it carries.
        {"the records' budget, carried fields included",
         {32767, kMiB, kMiB, 100},
         {std::string(40, 'a') + ":1 [1/2] one\n" + "two]\nthree]\n" + ten},
         {"on", "o"},
         2,
         true},
        {"a line of the limit cut in two",
         {},
         {full.substr(0, 5), full.substr(5) + "\n", next},
         {"bi", "nex"},
         0},
        {"an unfinished line of the limit", {}, {full, "\n" + next}, {"bi", "nex"}, 0},
        {"one byte over the limit", {}, {full + "g", "\n" + next}, {"nex"}, 1},
    };
    for (const auto& c : cases) {
        ResponseWalk walk(c.limits);
        Recorder hooks;
        walk.startResponse();
        for (const std::string& piece : c.pieces) {
            if (piece.empty()) {
                walk.startResponse();
            }
            walk.arrive(piece, hooks);
        }
        EXPECT_EQ(hooks.names, c.names) << c.what;
        EXPECT_EQ(walk.discardedLines(), c.discarded) << c.what;
        EXPECT_EQ(walk.full(), c.full) << c.what;
        EXPECT_LE(walk.pendingLineBytes(), c.limits.maxLineBytes) << c.what;
    }
}

} // namespace
} // namespace pollwick
