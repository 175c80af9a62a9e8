// The response walk fed the same response in arbitrary chunks and in one
// piece: one connection is one response however TCP cuts it, so both must
// list the same records with the same verdicts, in the same order, and
// stay within the limits whatever the list server sends.
//
// Input: an 8-byte header, then `cuts` chunk sizes, then the response.
//   header[0]: bit 0 small limits (from header[1..3]) instead of the
//              defaults; bits 1-2 the criteria; bit 3 one-byte chunks
//   header[1..3]: maxEntries, maxLineBytes, maxResponseBytes (small limits)
//   header[4]: cuts, the number of chunk-size bytes that follow
//   header[5]: the name criterion's one character
//   header[6]: where the response splits into two connections
#include "FuzzInput.h"
#include "core/match/MatchTest.h"
#include "core/scan/ResponseWalk.h"

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

struct Event {
    ServerRecord record;
    ParsedFields fields;
    MatchVerdict verdict;
    friend bool operator==(const Event&, const Event&) = default;
};

// Lists every record and tests it as the window does: a Match while armed
// runs the match actions, which disarm the alert.
class Recorder final : public ResponseWalk::Hooks
{
public:
    explicit Recorder(pollwick::MatchCriteria criteria)
        : m_criteria(std::move(criteria))
    { }

    void listRecord(const ServerRecord& record) override { m_listed = record; }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override
    {
        FUZZ_REQUIRE(record == m_listed);
        const MatchVerdict verdict = pollwick::testRecord(record, m_criteria, armed);
        if (verdict == MatchVerdict::Match && armed == 1) {
            armed = 0;
        }
        events.push_back({record, fromLine, verdict});
        return verdict;
    }

    std::vector<Event> events;
    std::int32_t armed = 1;

private:
    pollwick::MatchCriteria m_criteria;
    ServerRecord m_listed;
};

// What the limits leave of a whole response: its complete lines as entries,
// in order, until the entry count or the byte budget is spent; a line over
// the length limit is dropped and the lines after it still count.
std::vector<std::string> plainEntries(std::string_view response, const ResponseLimits& limits)
{
    std::vector<std::string> entries;
    std::size_t bytes = 0;
    bool full = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < response.size(); ++i) {
        if (response[i] != '\n') {
            continue;
        }
        const std::string_view line = response.substr(start, i - start);
        start = i + 1;
        if (full || entries.size() >= limits.maxEntries || bytes >= limits.maxResponseBytes ||
            line.size() > limits.maxLineBytes) {
            continue;
        }
        const std::size_t entryBytes = 3 + line.size();
        if (entryBytes > limits.maxResponseBytes - bytes) {
            full = true;
            continue;
        }
        entries.push_back("   " + std::string(line));
        bytes += entryBytes;
    }
    return entries;
}

void checkBounds(const ResponseWalk& walk, const ResponseLimits& limits, std::string_view chunk)
{
    FUZZ_REQUIRE(walk.templist() == chunk);
    FUZZ_REQUIRE(walk.servList().size() <= limits.maxEntries);
    FUZZ_REQUIRE(walk.entriesInResponse() <= limits.maxEntries);
    FUZZ_REQUIRE(walk.pendingLineBytes() <= limits.maxLineBytes);
    for (const std::string& entry : walk.servList()) {
        FUZZ_REQUIRE(entry.size() <= 3 + limits.maxLineBytes);
        FUZZ_REQUIRE(entry.compare(0, 3, "   ") == 0);
        FUZZ_REQUIRE(entry.find('\n') == std::string::npos);
    }
    if (!walk.servList().empty()) {
        FUZZ_REQUIRE(walk.currentEntry() < walk.servList().size());
    }
}

struct Run {
    std::vector<Event> events;
    std::vector<std::string> entries; // every ServList entry, over all arrivals
    bool ended = false;
    std::size_t entriesInResponse = 0;
    std::size_t discarded = 0;
};

// One connection's response, arrival by arrival, as the window reads it:
// nothing more is read once a Match has ended the walk.
Run feed(ResponseWalk& walk, const std::vector<std::string_view>& chunks,
         const pollwick::MatchCriteria& criteria)
{
    Recorder recorder(criteria);
    Run run;
    walk.startResponse();
    std::size_t bytes = 0;
    for (const std::string_view chunk : chunks) {
        if (walk.ended()) {
            break;
        }
        walk.arrive(chunk, recorder);
        checkBounds(walk, walk.limits(), chunk);
        for (const std::string& entry : walk.servList()) {
            run.entries.push_back(entry);
            bytes += entry.size();
        }
        FUZZ_REQUIRE(bytes <= walk.limits().maxResponseBytes);
    }
    run.events = std::move(recorder.events);
    run.ended = walk.ended();
    run.entriesInResponse = walk.entriesInResponse();
    run.discarded = walk.discardedLines();
    FUZZ_REQUIRE(run.entriesInResponse == run.entries.size());
    return run;
}

std::vector<std::string_view> cut(std::string_view response, const std::vector<std::size_t>& sizes,
                                  bool oneByte)
{
    std::vector<std::string_view> chunks;
    if (!oneByte && sizes.empty()) {
        chunks.push_back(response);
        return chunks;
    }
    std::size_t at = 0;
    std::size_t next = 0;
    // Bounded: every round takes a byte or is one of the empty arrivals, of
    // which there are at most as many as sizes.
    std::size_t emptyLeft = sizes.size();
    while (at < response.size()) {
        std::size_t size = 1;
        if (!oneByte) {
            size = sizes[next % sizes.size()];
            ++next;
        }
        if (size == 0) {
            if (emptyLeft > 0) {
                --emptyLeft;
                chunks.push_back(response.substr(at, 0));
                continue;
            }
            size = 1;
        }
        chunks.push_back(response.substr(at, size));
        at += chunks.back().size();
    }
    return chunks;
}

void compare(const Run& chunked, const Run& whole, std::string_view response,
             const ResponseLimits& limits)
{
    FUZZ_REQUIRE(chunked.events == whole.events);
    FUZZ_REQUIRE(chunked.ended == whole.ended);
    const std::vector<std::string> expected = plainEntries(response, limits);
    FUZZ_REQUIRE(whole.entries == expected);
    FUZZ_REQUIRE(whole.entriesInResponse == expected.size());
    if (!whole.ended) {
        FUZZ_REQUIRE(chunked.entries == expected);
        FUZZ_REQUIRE(chunked.discarded == whole.discarded);
        FUZZ_REQUIRE(whole.events.size() == expected.size());
    } else {
        // The walk stops at the Match, the last event; later entries of the
        // same arrival were split but neither parsed, listed nor tested.
        FUZZ_REQUIRE(!whole.events.empty());
        FUZZ_REQUIRE(whole.events.back().verdict == MatchVerdict::Match);
        FUZZ_REQUIRE(chunked.entries.size() <= expected.size());
        for (std::size_t i = 0; i < chunked.entries.size(); ++i) {
            FUZZ_REQUIRE(chunked.entries[i] == expected[i]);
        }
    }
    for (std::size_t i = 0; i + 1 < whole.events.size(); ++i) {
        FUZZ_REQUIRE(whole.events[i].verdict != MatchVerdict::Match);
    }
}

pollwick::MatchCriteria criteriaFor(const pollwick::fuzz::Header& header)
{
    pollwick::MatchCriteria criteria;
    switch ((header[0] >> 1U) & 3U) {
    case 0: // every record is a candidate
        break;
    case 1:
        criteria.useName = true;
        criteria.nameText = std::string(1, static_cast<char>(header[5]));
        break;
    case 2:
        criteria.useVersion = true;
        criteria.versionText = "1.24";
        criteria.useGameType = true;
        criteria.gameTypeText = "a";
        break;
    default: // nothing matches
        criteria.useName = true;
        criteria.nameText = "\x01\x02\x03 no server is called this";
        break;
    }
    return criteria;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const pollwick::fuzz::Header header(input, 7);

    ResponseLimits limits;
    if (header.bit(0, 0)) {
        limits.maxEntries = 1 + header[1] % 64U;
        limits.maxLineBytes = header[2] % 96U;
        limits.maxResponseBytes = std::size_t{header[3]} * 4;
    }
    const std::size_t cuts = std::min<std::size_t>(header[4], input.size());
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < cuts; ++i) {
        sizes.push_back(static_cast<std::uint8_t>(input[i]));
    }
    input.remove_prefix(cuts);
    const pollwick::MatchCriteria criteria = criteriaFor(header);

    // Two connections: the walk must not carry anything from one to the next.
    const std::size_t split = input.empty() ? 0 : (header[6] * input.size()) / 256;
    const std::string_view responses[] = {input.substr(0, split), input.substr(split)};

    ResponseWalk chunkedWalk(limits);
    for (const std::string_view response : responses) {
        const Run chunked = feed(chunkedWalk, cut(response, sizes, header.bit(0, 3)), criteria);
        ResponseWalk wholeWalk(limits);
        const Run whole = feed(wholeWalk, {response}, criteria);
        compare(chunked, whole, response, limits);
    }
    return 0;
}
