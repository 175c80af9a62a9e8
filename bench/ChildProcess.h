// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs a program as a child process and measures it (POSIX): its wall and
// CPU time, its peak resident memory and how much it wrote to standard
// output, which is read as it comes and counted (the first bytes kept, and
// the last of standard error).
// A child that runs past its time is killed.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace pollwick::bench {

struct ChildRun {
    bool started = false;
    bool stoppedAtLimit = false; // killed when its time was up
    int exitStatus = -1; // when it exited
    int signal = 0; // the signal that ended it, if one did
    double wallSeconds = 0;
    double cpuSeconds = 0; // user and system
    std::uint64_t peakResidentBytes = 0;
    std::uint64_t outputBytes = 0;
    std::string output; // the first bytes of standard output
    std::string errors; // the last bytes of standard error

    // "exit 0", "killed by signal 6", "stopped after 60 s"...
    [[nodiscard]] std::string howItEnded(std::chrono::seconds limit) const;
    // The last line of its errors (why it died, if it said), cut at 100
    // characters; empty for none.
    [[nodiscard]] std::string lastErrorLine() const;
};

// Runs `arguments` (the program first), with standard input from /dev/null,
// for at most `limit`; keeps the first `keepBytes` of its output and the
// last of its errors.
ChildRun runChild(const std::vector<std::string>& arguments, std::chrono::seconds limit,
                  std::size_t keepBytes = 4096);

} // namespace pollwick::bench
