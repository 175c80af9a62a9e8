// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast the core walks a response: split into entries, parse each into the
// working record, test it against criteria that never match (so every entry
// is walked), against a plain memchr line count of the same bytes as the
// floor that no line-based reader can beat.

#include "core/match/MatchTest.h"
#include "core/scan/ResponseWalk.h"
#include "listserver/SimulatedList.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using pollwick::MatchCriteria;
using pollwick::MatchVerdict;
using pollwick::ParsedFields;
using pollwick::ResponseWalk;
using pollwick::ServerRecord;

// A realistic list (200 servers) and the largest one a response may hold.
const std::string& response(std::int64_t lines)
{
    static std::map<std::int64_t, std::string> made;
    auto it = made.find(lines);
    if (it == made.end()) {
        it = made.emplace(lines,
                          pollwick::sim::responseText(
                              pollwick::sim::simulatedServers(7, 0, static_cast<int>(lines))))
                 .first;
    }
    return it->second;
}

class NeverMatching final : public ResponseWalk::Hooks
{
public:
    NeverMatching()
    {
        m_criteria.useName = true;
        m_criteria.nameText = "no server is called this";
    }
    void listRecord(const ServerRecord& record) override { benchmark::DoNotOptimize(&record); }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields /*fromLine*/) override
    {
        return pollwick::testRecord(record, m_criteria);
    }

private:
    MatchCriteria m_criteria;
};

void coreWalk(benchmark::State& state)
{
    const std::string& text = response(state.range(0));
    ResponseWalk walk;
    NeverMatching hooks;
    for (auto _ : state) {
        static_cast<void>(_);
        walk.startResponse();
        walk.arrive(text, hooks);
        benchmark::DoNotOptimize(walk.entriesInResponse());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["entries"] = static_cast<double>(walk.entries().size());
}

void memchrFloor(benchmark::State& state)
{
    const std::string& text = response(state.range(0));
    std::size_t lines = 0;
    for (auto _ : state) {
        static_cast<void>(_);
        lines = 0;
        const char* at = text.data();
        const char* const end = text.data() + text.size();
        while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
            ++lines;
            at = static_cast<const char*>(found) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    // Every benchmark reports the same counters: the CSV output needs that.
    state.counters["entries"] = static_cast<double>(lines);
}

BENCHMARK(memchrFloor)->Name("floor/memchr")->Arg(200)->Arg(32767);
BENCHMARK(coreWalk)->Name("core/walk")->Arg(200)->Arg(32767);

} // namespace

BENCHMARK_MAIN();
