// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Each figure of a benchmark beside its goal, with PASS or FAIL, one line
// each, and a count of the failures at the end.

#include <optional>
#include <string>
#include <string_view>

namespace pollwick::bench {

// `value` with `places` decimal places.
std::string decimal(double value, int places);

// The figure of a run that ended by itself. Of a run that was stopped or
// died, only a figure that already misses its goal is kept: it could only
// have missed it by more.
std::optional<double> figureOf(bool ended, std::optional<double> value, double goal);

class GoalReport
{
public:
    // A figure that must stay below `goal`, in `unit`. Nothing as `value`:
    // the figure could not be had (`note` says why), which fails the goal.
    void below(std::string_view list, std::string_view what, std::optional<double> value,
               double goal, std::string_view unit, std::string_view note = {});

    // Prints the number of goals met and missed; 0 when all were met, 1
    // otherwise (the exit status of a benchmark program).
    int finish() const;

private:
    int m_passed = 0;
    int m_failed = 0;
};

} // namespace pollwick::bench
