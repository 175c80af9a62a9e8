// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The response walk fed the same response in arbitrary chunks and in one
// piece: one connection is one response however TCP cuts it, so both must
// list the same records with the same verdicts, in the same order, and keep
// the lines that a plain reading of the limits keeps.
//
// Input: a 7-byte header, then `cuts` chunk sizes, then the response.
//   header[0]: bit 0 small limits (from header[1..3]) instead of the
//              defaults; bits 1-2 the criteria; bit 3 one-byte chunks
//   header[1..3]: maxEntries, maxLineBytes, maxResponseBytes (small limits)
//   header[4]: cuts, the number of chunk-size bytes that follow
//   header[5]: the name criterion's one character
//   header[6]: where the response splits into two connections
#include "FuzzInput.h"
#include "core/match/MatchTest.h"
#include "core/scan/ResponseWalk.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using pollwick::MatchVerdict;
using pollwick::ParsedFields;
using pollwick::ResponseLimits;
using pollwick::ResponseWalk;
using pollwick::ServerRecord;
using pollwick::fuzz::bit;

struct Event {
    ServerRecord record;
    ParsedFields fields;
    MatchVerdict verdict;
    friend bool operator==(const Event&, const Event&) = default;
};

// One connection's response as the window reads it: every record listed,
// then tested (a Match runs the match actions, which disarm the alert).
struct Run final : ResponseWalk::Hooks {
    explicit Run(const pollwick::MatchCriteria& inForce)
        : criteria(inForce)
    { }
    void listRecord(const ServerRecord& record) override { listed = record; }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override
    {
        FUZZ_REQUIRE(record == listed);
        const MatchVerdict verdict = pollwick::testRecord(record, criteria);
        events.push_back({record, fromLine, verdict});
        return verdict;
    }

    const pollwick::MatchCriteria& criteria;
    ServerRecord listed;
    std::vector<Event> events;
    std::vector<std::string> entries; // every entry, over all arrivals
    bool ended = false;
    bool full = false;
    std::size_t discarded = 0;
};

// What the limits leave of a whole response: its complete lines as entries,
// in order, while the entry count lasts and each line ends within the byte
// budget, which counts every byte up to and including the line's LF; a
// line over the length limit is dropped, and its bytes still count.
std::vector<std::string> plainEntries(std::string_view response, const ResponseLimits& limits)
{
    std::vector<std::string_view> lines = pollwick::fuzz::splitFields(response, '\n');
    lines.pop_back(); // unfinished
    std::vector<std::string> entries;
    std::size_t lineEnd = 0;
    for (const std::string_view line : lines) {
        lineEnd += line.size() + 1;
        if (entries.size() < limits.maxEntries && line.size() <= limits.maxLineBytes &&
            lineEnd <= limits.maxResponseBytes) {
            entries.push_back("   " + std::string(line));
        }
    }
    return entries;
}

// Whether the whole response reached a limit with something more to read:
// a byte past the byte budget, or any byte after the line that made the
// last entry the limit allows.
bool plainFull(std::string_view response, const ResponseLimits& limits)
{
    if (response.size() > limits.maxResponseBytes) {
        return true;
    }
    std::size_t entries = 0;
    std::size_t lineEnd = 0;
    for (const std::string_view line : pollwick::fuzz::splitFields(response, '\n')) {
        lineEnd += line.size() + 1;
        if (lineEnd > response.size()) {
            break; // the unfinished rest
        }
        if (line.size() <= limits.maxLineBytes && ++entries == limits.maxEntries) {
            return response.size() > lineEnd;
        }
    }
    return false;
}

// One connection's response, arrival by arrival, as the window reads it:
// nothing more is read once a Match has ended the walk.
Run feed(ResponseWalk& walk, const std::vector<std::string_view>& chunks,
         const pollwick::MatchCriteria& criteria)
{
    Run run(criteria);
    walk.startResponse();
    for (const std::string_view chunk : chunks) {
        if (walk.ended()) {
            break;
        }
        walk.arrive(chunk, run);
        FUZZ_REQUIRE(walk.pendingLineBytes() <= walk.limits().maxLineBytes);
        run.entries.insert(run.entries.end(), walk.entries().begin(), walk.entries().end());
    }
    FUZZ_REQUIRE(walk.entriesInResponse() == run.entries.size());
    run.ended = walk.ended();
    run.full = walk.full();
    run.discarded = walk.discardedLines();
    return run;
}

// Chunks of the sizes given, in turn; a size 0 is an empty arrival in the
// first round and one byte after it.
std::vector<std::string_view> cut(std::string_view response, std::string_view sizes, bool oneByte)
{
    if (!oneByte && sizes.empty()) {
        return {response};
    }
    std::vector<std::string_view> chunks;
    for (std::size_t at = 0, next = 0; at < response.size(); ++next) {
        std::size_t size = oneByte ? 1 : static_cast<unsigned char>(sizes[next % sizes.size()]);
        if (size == 0 && next >= sizes.size()) {
            size = 1;
        }
        chunks.push_back(response.substr(at, size));
        at += chunks.back().size();
    }
    return chunks;
}

void compare(const Run& chunked, const Run& whole, const std::vector<std::string>& expected,
             bool expectedFull)
{
    FUZZ_REQUIRE(chunked.events == whole.events);
    FUZZ_REQUIRE(chunked.ended == whole.ended);
    FUZZ_REQUIRE(whole.entries == expected);
    // The walk ends at the first Match, the last record it tests; later
    // entries of the same arrival are split but neither parsed nor tested.
    const auto match = std::find_if(whole.events.begin(), whole.events.end(), [](const Event& e) {
        return e.verdict == MatchVerdict::Match;
    });
    FUZZ_REQUIRE(whole.ended == (match != whole.events.end()));
    if (whole.ended) {
        FUZZ_REQUIRE(match + 1 == whole.events.end());
        FUZZ_REQUIRE(chunked.entries.size() <= expected.size());
        FUZZ_REQUIRE(std::equal(chunked.entries.begin(), chunked.entries.end(), expected.begin()));
    } else {
        FUZZ_REQUIRE(whole.events.size() == expected.size());
        FUZZ_REQUIRE(chunked.entries == expected);
        FUZZ_REQUIRE(chunked.discarded == whole.discarded);
        FUZZ_REQUIRE(chunked.full == expectedFull && whole.full == expectedFull);
    }
}

// Every record a candidate (0), a name of one character (1), version 1.24
// and a type with an "a" (2), or a name that no server has (3).
pollwick::MatchCriteria criteriaFor(const std::array<std::uint8_t, 7>& header)
{
    const unsigned which = (header[0] >> 1U) & 3U;
    pollwick::MatchCriteria criteria;
    criteria.useName = which == 1 || which == 3;
    criteria.nameText = which == 1 ? std::string(1, static_cast<char>(header[5]))
                                   : "\x01\x02\x03 no server is called this";
    criteria.useVersion = criteria.useGameType = which == 2;
    criteria.versionText = "1.24";
    criteria.gameTypeText = "a";
    return criteria;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const auto header = pollwick::fuzz::takeHeader<7>(input);
    ResponseLimits limits;
    if (bit(header[0], 0)) {
        limits.maxEntries = 1 + header[1] % 64U;
        limits.maxLineBytes = header[2] % 96U;
        limits.maxResponseBytes = std::size_t{header[3]} * 4;
    }
    const std::string_view sizes = input.substr(0, header[4]);
    input.remove_prefix(sizes.size());
    const pollwick::MatchCriteria criteria = criteriaFor(header);

    // Two connections: the walk must not carry anything from one to the next.
    const std::size_t split = (header[6] * input.size()) / 256;
    ResponseWalk chunkedWalk(limits);
    for (const std::string_view response : {input.substr(0, split), input.substr(split)}) {
        const Run chunked = feed(chunkedWalk, cut(response, sizes, bit(header[0], 3)), criteria);
        ResponseWalk wholeWalk(limits);
        const std::vector<std::string> expected = plainEntries(response, limits);
        compare(chunked, feed(wholeWalk, {response}, criteria), expected,
                plainFull(response, limits));
    }
    return 0;
}
