// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The match test and the launch rules with arbitrary criteria and records.
//
// Input: byte 0 says which criteria are in force (bits 0-3: version, name,
// address, game type) and whether private servers are included (bit 4);
// byte 1 which fields the record's
// own line set (bit 0 version, bit 1 address) and isPrivate (bit 2). The
// rest, split at 0x1F: version, name, address and game-type criteria, then
// the record's name, game type, version, players and address.
//
// The verdict is recomputed here from the rules, with the code page's lower
// case and std::from_chars as the only helpers, and the side effects are
// pinned down: the address is lower-cased only when every criterion holds,
// nothing else in the record changes, and a
// launch only ever takes an address and version that the line supplied, as
// one trimmed argument, never for a private server, and only an address
// that a regular expression of the rules accepts.
#include "FuzzInput.h"
#include "core/Windows1252.h"
#include "core/match/LaunchPlan.h"
#include "core/match/MatchTest.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace {

using pollwick::MatchVerdict;
using pollwick::ParsedFields;
using pollwick::ServerRecord;
using pollwick::cp1252::toLower;
using pollwick::fuzz::bit;

// Case ignored; nothing is found in an empty text, an empty piece in any other.
bool found(std::string_view piece, std::string_view text)
{
    return !text.empty() && toLower(text).find(toLower(piece)) != std::string::npos;
}

// Spaces around it aside, an optional sign and digits that fit 32 bits.
std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
    if (text.starts_with('+') && !text.starts_with("+-")) {
        text.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "3/16": the counts on both sides of the first "/".
std::optional<std::pair<std::int32_t, std::int32_t>> counts(std::string_view players)
{
    const std::size_t slash = players.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto current = wholeNumber(players.substr(0, slash));
    const auto maximum = wholeNumber(players.substr(slash + 1));
    return current && maximum ? std::optional(std::pair(*current, *maximum)) : std::nullopt;
}

// The launch rules, written out plainly: a host name or IP address with an
// optional port, as a regular expression.
bool looksLikeAddress(const std::string& text)
{
    static const std::regex kAddress(
        "([A-Za-z0-9_][A-Za-z0-9_-]*)(\\.[A-Za-z0-9_][A-Za-z0-9_-]*)*(:([0-9]{1,5}))?");
    std::smatch parts;
    if (!std::regex_match(text, parts, kAddress)) {
        return false;
    }
    const std::size_t host = text.size() - static_cast<std::size_t>(parts.length(3));
    const long port = parts[4].matched ? std::stol(parts[4].str()) : 1;
    return host <= 253 && port >= 1 && port <= 65535;
}

void checkLaunch(const ServerRecord& matched, ParsedFields fromLine)
{
    const auto decision = pollwick::planLaunch(matched, fromLine);
    const auto* plan = std::get_if<pollwick::LaunchPlan>(&decision);
    const auto edition = pollwick::editionForVersion(matched.version);
    const std::size_t first = matched.ipAddress.find_first_not_of(' ');
    const std::size_t last = matched.ipAddress.find_last_not_of(' ');
    const std::string trimmed =
        first == std::string::npos ? "" : matched.ipAddress.substr(first, last - first + 1);
    FUZZ_REQUIRE((plan != nullptr) ==
                 (matched.ipAddress != "private" && fromLine.has(ParsedFields::Version) &&
                  fromLine.has(ParsedFields::IpAddress) && edition && looksLikeAddress(trimmed)));
    FUZZ_REQUIRE(pollwick::looksLikeAddress(trimmed) == looksLikeAddress(trimmed));
    if (plan != nullptr) {
        FUZZ_REQUIRE(plan->edition == *edition);
        FUZZ_REQUIRE(plan->connectAddress == trimmed);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const auto header = pollwick::fuzz::takeHeader<2>(input);
    const auto fields = pollwick::fuzz::splitFields(input, '\x1f');
    pollwick::MatchCriteria criteria;
    criteria.useVersion = bit(header[0], 0);
    criteria.useName = bit(header[0], 1);
    criteria.useAddress = bit(header[0], 2);
    criteria.useGameType = bit(header[0], 3);
    criteria.includePrivate = bit(header[0], 4);
    criteria.versionText = pollwick::fuzz::field(fields, 0);
    criteria.nameText = pollwick::fuzz::field(fields, 1);
    criteria.addressText = pollwick::fuzz::field(fields, 2);
    criteria.gameTypeText = pollwick::fuzz::field(fields, 3);
    ServerRecord record = pollwick::fuzz::recordFrom(fields, 4);
    record.isPrivate = bit(header[1], 2);
    ParsedFields fromLine;
    if (bit(header[1], 0)) {
        fromLine.add(ParsedFields::Version);
    }
    if (bit(header[1], 1)) {
        fromLine.add(ParsedFields::IpAddress);
    }

    const ServerRecord before = record;
    const MatchVerdict verdict = pollwick::testRecord(record, criteria);

    const bool allMet = (!criteria.useVersion || criteria.versionText == before.version) &&
        (!criteria.useName || found(criteria.nameText, before.serverName)) &&
        (!criteria.useAddress || found(criteria.addressText, before.ipAddress)) &&
        (!criteria.useGameType || found(criteria.gameTypeText, before.gameType));
    const auto players = counts(before.players);
    MatchVerdict expected = MatchVerdict::Match;
    if (!allMet) {
        expected = MatchVerdict::NoMatch;
    } else if (toLower(before.ipAddress) == "private" && !criteria.includePrivate) {
        expected = MatchVerdict::PassedOverPrivate;
    } else if (players && players->first == players->second && players->first != 0) {
        expected = MatchVerdict::PassedOverFull;
    }
    FUZZ_REQUIRE(verdict == expected);

    // Only the address changes, and only once every criterion holds.
    ServerRecord others = record;
    others.ipAddress = before.ipAddress;
    FUZZ_REQUIRE(others == before);
    FUZZ_REQUIRE(record.ipAddress == (allMet ? toLower(before.ipAddress) : before.ipAddress));

    // The helpers agree with the rules.
    FUZZ_REQUIRE((pollwick::findLowered(criteria.nameText, before.serverName) != 0) ==
                 found(criteria.nameText, before.serverName));
    const auto read = pollwick::readPlayerCounts(before.players);
    FUZZ_REQUIRE(read.has_value() == players.has_value());
    FUZZ_REQUIRE(!read || (read->current == players->first && read->maximum == players->second));

    // A launch plan obeys the same rules after the test as before it.
    checkLaunch(record, fromLine);
    checkLaunch(before, fromLine);
    return 0;
}
