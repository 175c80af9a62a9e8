// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace pollwick {

// A time of day as the user's clock shows it.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// The port through which the core learns the time of day, to tell the user
// when something happened.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual TimeOfDay now() const = 0;
};

} // namespace pollwick
