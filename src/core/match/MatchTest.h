// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pollwick {

// The user's criteria as they stand in the window when a record is tested.
// Texts are Windows-1252 bytes, exactly as typed (nothing trimmed).
struct MatchCriteria {
    bool useVersion = false;
    std::string versionText;
    bool useName = false;
    std::string nameText;
    bool useAddress = false;
    std::string addressText;
    bool useGameType = false;
    std::string gameTypeText;
    bool includePrivate = false;
};

// 1-based position of `needle` in `haystack`, both lower-cased first; 0 when
// absent. An empty needle is found at 1 in any non-empty haystack, and
// nothing is found in an empty one.
std::size_t findLowered(std::string_view needle, std::string_view haystack);

struct PlayerCounts {
    std::int32_t current = 0;
    std::int32_t maximum = 0;
};

// "3/16" gives 3 and 16. Each side of the first "/" must be, spaces around it
// aside, an optional sign and digits that fit 32 bits; otherwise there are no
// counts.
std::optional<PlayerCounts> readPlayerCounts(std::string_view players);

// Tests one record. When every criterion in force holds, the record's address
// is lower-cased in place (it is the address that a launch uses), and the
// record is passed over if it is private (unless private servers are
// included) or full. (A server passed over arms the window's alert again.)
MatchVerdict testRecord(ServerRecord& record, const MatchCriteria& criteria);

} // namespace pollwick
