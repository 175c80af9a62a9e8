// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GoalReport.h"

#include <array>
#include <cstdio>

namespace pollwick::bench {
namespace {

// Whole numbers from 100 up, two places below.
std::string shown(double value)
{
    return decimal(value, value >= 100 ? 0 : 2);
}

int width(std::string_view text)
{
    return static_cast<int>(text.size());
}

} // namespace

std::string decimal(double value, int places)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", places, value);
    return text.data();
}

std::optional<double> figureOf(bool ended, std::optional<double> value, double goal)
{
    return ended || (value && *value >= goal) ? value : std::nullopt;
}

void GoalReport::below(std::string_view list, std::string_view what, std::optional<double> value,
                       double goal, std::string_view unit, std::string_view note)
{
    const bool pass = value && *value < goal;
    (pass ? m_passed : m_failed) += 1;
    const std::string figure = value ? shown(*value) + " " + std::string(unit) : "-";
    const std::string target = "< " + shown(goal) + " " + std::string(unit);
    std::printf("%-14.*s %-34.*s %14s  goal %-12s %s", width(list), list.data(), width(what),
                what.data(), figure.c_str(), target.c_str(), pass ? "PASS" : "FAIL");
    if (!note.empty()) {
        std::printf("  (%.*s)", width(note), note.data());
    }
    std::printf("\n");
    std::fflush(stdout);
}

int GoalReport::finish() const
{
    std::printf("goals: %d met, %d missed\n", m_passed, m_failed);
    return m_failed == 0 ? 0 : 1;
}

} // namespace pollwick::bench
