// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/match/MatchTest.h"

#include "core/Windows1252.h"

#include <limits>

namespace pollwick {
namespace {

std::string_view trimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<std::int32_t> readWholeNumber(std::string_view text)
{
    text = trimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::size_t findLowered(std::string_view needle, std::string_view haystack)
{
    if (haystack.empty()) {
        return 0;
    }
    if (needle.size() > haystack.size()) {
        return 0;
    }
    // Compares lower-cased bytes in place: the match test runs for every line
    // of every list, and copies would cost more than the search.
    const auto lower = [](char c) { return cp1252::toLower(static_cast<unsigned char>(c)); };
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t at = 0; at <= last; ++at) {
        std::size_t k = 0;
        while (k < needle.size() && lower(haystack[at + k]) == lower(needle[k])) {
            ++k;
        }
        if (k == needle.size()) {
            return at + 1;
        }
    }
    return 0;
}

std::optional<PlayerCounts> readPlayerCounts(std::string_view players)
{
    const std::size_t slash = players.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto current = readWholeNumber(players.substr(0, slash));
    const auto maximum = readWholeNumber(players.substr(slash + 1));
    if (!current || !maximum) {
        return std::nullopt;
    }
    return PlayerCounts{*current, *maximum};
}

MatchVerdict testRecord(ServerRecord& record, const MatchCriteria& criteria)
{
    // A criterion is met when its box is not ticked or its own test holds. A
    // search for a box that is not ticked cannot change the verdict, so it is
    // not made: this test runs for every line of every list.
    const bool allMet = (!criteria.useVersion || criteria.versionText == record.version) &&
        (!criteria.useName || findLowered(criteria.nameText, record.serverName) != 0) &&
        (!criteria.useAddress || findLowered(criteria.addressText, record.ipAddress) != 0) &&
        (!criteria.useGameType || findLowered(criteria.gameTypeText, record.gameType) != 0);
    if (!allMet) {
        return MatchVerdict::NoMatch;
    }

    for (char& c : record.ipAddress) {
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    }
    if (record.ipAddress == "private" && !criteria.includePrivate) {
        return MatchVerdict::PassedOverPrivate;
    }
    // A count that does not read (no "/", "3/x") never makes a server full.
    const std::optional<PlayerCounts> counts = readPlayerCounts(record.players);
    if (counts && counts->current == counts->maximum && counts->current != 0) {
        return MatchVerdict::PassedOverFull;
    }
    return MatchVerdict::Match;
}

} // namespace pollwick
