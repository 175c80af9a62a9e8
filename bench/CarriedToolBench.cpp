// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-carried-tool: pollwick-list on each carried-field list
// (CarriedLists.h), run as a user runs it, from a saved file.
//
// - `--json`: how much it writes and how long it takes. Goals: under 64 MiB
//   (a small multiple of the 1 MB it read; carry100 once made 606 MB) and
//   under 1 s.
// - The table, in walk mode with an address that the carried one does not
//   hold, on carry32767: its CPU time. Goal: under 1 s.
//
// Each run is stopped after 120 s, which fails its goals; the figures it
// reached by then are shown when they already miss their goals.
//
//   pollwick-carried-tool [--program PATH-OF-POLLWICK-LIST]
#include "CarriedLists.h"
#include "ChildProcess.h"
#include "GoalReport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace pollwick;
using std::chrono::seconds;

constexpr seconds kLimit{120};

std::optional<double> figure(const bench::ChildRun& run, double value, double goal)
{
    return bench::figureOf(run.started && !run.stoppedAtLimit && run.signal == 0, value, goal);
}

// How a run ended, and what it said on standard error, if anything.
std::string ending(const bench::ChildRun& run)
{
    const std::string said = run.lastErrorLine();
    return run.howItEnded(kLimit) + (said.empty() ? "" : ", said \"" + said + "\"");
}

} // namespace

int main(int argc, char* argv[])
{
    std::string program = POLLWICK_LIST_PROGRAM;
    if (argc == 3 && std::string(argv[1]) == "--program") {
        program = argv[2];
    } else if (argc != 1) {
        std::fputs("usage: pollwick-carried-tool [--program PATH-OF-POLLWICK-LIST]\n", stderr);
        return 2;
    }
    std::string folderTemplate =
        (std::filesystem::temp_directory_path() / "pollwick-carried-XXXXXX").string();
    if (::mkdtemp(folderTemplate.data()) == nullptr) {
        std::perror("pollwick-carried-tool: mkdtemp");
        return 2;
    }
    const std::filesystem::path folder = folderTemplate;

    bench::GoalReport report;
    for (const bench::CarriedList& list : bench::carriedLists()) {
        const std::filesystem::path file = folder / (std::string(list.name) + ".txt");
        const std::string text = bench::carriedListText(list);
        std::ofstream(file, std::ios::binary) << text;

        const bench::ChildRun json = bench::runChild({program, "--file", file, "--json"}, kLimit);
        const std::string ended = ending(json) + ", " + std::to_string(json.outputBytes) +
            " bytes from " + std::to_string(text.size());
        const double mebibytes = static_cast<double>(json.outputBytes) / (1024.0 * 1024.0);
        report.below(list.name, "pollwick-list --json: output", figure(json, mebibytes, 64), 64,
                     "MiB", ended);
        report.below(list.name, "pollwick-list --json: time", figure(json, json.wallSeconds, 1), 1,
                     "s", ended);

        if (list.name == "carry32767") {
            const bench::ChildRun table =
                bench::runChild({program, "--file", file, "--ip", "192.0.2.99"}, kLimit);
            report.below(list.name, "pollwick-list table --ip: CPU",
                         figure(table, table.cpuSeconds, 1), 1, "s",
                         ending(table) + ", " + bench::decimal(table.wallSeconds, 2) + " s wall");
        }
    }
    std::filesystem::remove_all(folder);
    return report.finish();
}
