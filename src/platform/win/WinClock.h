// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Clock.h"

namespace pollwick::win {

// The time of day of the computer's clock in its own time zone.
class WinClock final : public Clock
{
public:
    [[nodiscard]] TimeOfDay now() const override;
};

} // namespace pollwick::win
