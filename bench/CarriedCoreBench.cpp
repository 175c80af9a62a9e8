// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-carried-core: the core's walk over each carried-field list
// (CarriedLists.h), as one arrival: split, every entry parsed into the
// working record, and tested against a criterion that no record meets, so
// that every entry is walked: once a name (the window's "Name"), once an
// address (pollwick-list --ip), since each criterion reads its own carried
// field. Goal: each walk in under 1 s of CPU.
//
//   pollwick-carried-core [NAME...]     all lists when none is named
#include "CarriedLists.h"
#include "GoalReport.h"
#include "core/match/MatchTest.h"
#include "core/scan/ResponseWalk.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace pollwick;

enum class Criterion { Name, Address };

class NothingMatches final : public ResponseWalk::Hooks
{
public:
    explicit NothingMatches(Criterion criterion)
    {
        if (criterion == Criterion::Name) {
            m_criteria.useName = true;
            m_criteria.nameText = "no server is called this";
        } else {
            m_criteria.useAddress = true;
            m_criteria.addressText = "192.0.2.99";
        }
    }
    void listRecord(const ServerRecord& record) override
    {
        // What a list view would have to look at.
        m_seenBytes += record.serverName.size() + record.ipAddress.size();
        ++m_listed;
    }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields /*fromLine*/) override
    {
        return pollwick::testRecord(record, m_criteria);
    }
    [[nodiscard]] std::size_t listed() const { return m_listed; }
    [[nodiscard]] std::size_t seenBytes() const { return m_seenBytes; }

private:
    MatchCriteria m_criteria;
    std::size_t m_listed = 0;
    std::size_t m_seenBytes = 0;
};

double cpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void walkOnce(const bench::CarriedList& list, const std::string& text, Criterion criterion,
              bench::GoalReport& report)
{
    ResponseWalk walk;
    NothingMatches hooks(criterion);
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    walk.startResponse();
    walk.arrive(text, hooks);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const std::string note = std::to_string(text.size()) + " bytes, " +
        std::to_string(hooks.listed()) + " records holding " +
        std::to_string(hooks.seenBytes() >> 20U) + " MiB, " + bench::decimal(wall, 2) + " s wall";
    report.below(list.name,
                 criterion == Criterion::Name ? "core walk, name criterion: CPU"
                                              : "core walk, address criterion: CPU",
                 cpu, 1.0, "s", note);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<const bench::CarriedList*> lists =
        bench::chosenLists(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)),
                           "pollwick-carried-core");
    if (lists.empty()) {
        return 2;
    }

    bench::GoalReport report;
    for (const bench::CarriedList* list : lists) {
        const std::string text = bench::carriedListText(*list);
        for (const Criterion criterion : {Criterion::Name, Criterion::Address}) {
            walkOnce(*list, text, criterion, report);
        }
    }
    return report.finish();
}
