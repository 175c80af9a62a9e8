#include "match/MatchTest.h"

#include "scan/Windows1252.h"

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

bool holds(bool inForce, bool test)
{
    return !inForce || test;
}

} // namespace

std::size_t findLowered(std::string_view needle, std::string_view haystack)
{
    if (haystack.empty()) {
        return 0;
    }
    const std::string lowerHaystack = cp1252::toLower(haystack);
    const std::size_t at = lowerHaystack.find(cp1252::toLower(needle));
    return at == std::string::npos ? 0 : at + 1;
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

MatchVerdict testRecord(ServerRecord& record, const MatchCriteria& criteria,
                        std::int32_t& matchArmed)
{
    const std::size_t nameHit = findLowered(criteria.nameText, record.serverName);
    const std::size_t addressHit = findLowered(criteria.addressText, record.ipAddress);
    const std::size_t gameTypeHit = findLowered(criteria.gameTypeText, record.gameType);
    const std::optional<PlayerCounts> counts = readPlayerCounts(record.players);

    const bool allMet = holds(criteria.useVersion, criteria.versionText == record.version) &&
        holds(criteria.useName, nameHit != 0) && holds(criteria.useAddress, addressHit != 0) &&
        holds(criteria.useGameType, gameTypeHit != 0);
    if (!allMet) {
        return MatchVerdict::NoMatch;
    }

    record.ipAddress = cp1252::toLower(record.ipAddress);
    if (record.ipAddress == "private" && !criteria.includePrivate) {
        matchArmed = 1;
        return MatchVerdict::PassedOverPrivate;
    }
    // A count that does not read (no "/", "3/x") never makes a server full.
    if (counts && counts->current == counts->maximum && counts->current != 0) {
        matchArmed = 1;
        return MatchVerdict::PassedOverFull;
    }
    return MatchVerdict::Match;
}

} // namespace pollwick
