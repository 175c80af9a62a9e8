// The match test and the launch rules with arbitrary criteria and records.
//
// Input: byte 0 says which criteria are in force (bits 0-3: version, name,
// address, game type), whether private servers are included (bit 4), the
// alert's state before the test (bit 5) and which fields the record's own
// line set (byte 1: bit 0 version, bit 1 address). The rest, split at 0x1F:
// version, name, address and game-type criteria, then the record's name,
// game type, version, players and address.
//
// The verdict is recomputed here with a case-insensitive search and a
// player-count reader of its own, and the side effects are pinned down: the
// address is lower-cased only when every criterion holds, the alert is only
// ever set to 1, nothing else in the record changes, and a launch only ever
// takes an address and version that the line supplied, as one trimmed
// argument, never for a private server.
#include "FuzzInput.h"
#include "core/match/LaunchPlan.h"
#include "core/match/MatchTest.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using pollwick::MatchVerdict;
using pollwick::ParsedFields;
using pollwick::ServerRecord;

// Windows-1252 lower case, written out: A-Z, the accented capitals
// 0xC0-0xDE but the multiplication sign 0xD7, and Š Œ Ž Ÿ.
unsigned char lowerByte(unsigned char b)
{
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return static_cast<unsigned char>(b + 0x20);
    }
    switch (b) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return b;
    }
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(lowerByte(static_cast<unsigned char>(c)));
    }
    return out;
}

// Found at any position, comparing byte by byte after lowering; nothing is
// found in an empty text, and an empty piece is found in any other.
bool found(std::string_view piece, std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (std::size_t at = 0; at + piece.size() <= text.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < piece.size() && same; ++i) {
            same = lowerByte(static_cast<unsigned char>(text[at + i])) ==
                lowerByte(static_cast<unsigned char>(piece[i]));
        }
        if (same) {
            return true;
        }
    }
    return false;
}

// A whole number with spaces around it and an optional sign, within 32 bits.
std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    while (text.size() > 1 && text.front() == '0') {
        text.remove_prefix(1);
    }
    if (text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    std::from_chars(text.data(), text.data() + text.size(), magnitude);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

bool isFull(std::string_view players)
{
    const std::size_t slash = players.find('/');
    if (slash == std::string_view::npos) {
        return false;
    }
    const auto current = wholeNumber(players.substr(0, slash));
    const auto maximum = wholeNumber(players.substr(slash + 1));
    return current && maximum && *current == *maximum && *current != 0;
}

void checkLaunch(const ServerRecord& matched, ParsedFields fromLine)
{
    const std::optional<pollwick::LaunchPlan> plan = pollwick::planLaunch(matched, fromLine);
    const auto edition = pollwick::editionForVersion(matched.version);
    const std::size_t first = matched.ipAddress.find_first_not_of(' ');
    const bool allowed = matched.ipAddress != "private" && fromLine.has(ParsedFields::Version) &&
        fromLine.has(ParsedFields::IpAddress) && edition.has_value() && first != std::string::npos;
    FUZZ_REQUIRE(plan.has_value() == allowed);
    if (!plan) {
        return;
    }
    FUZZ_REQUIRE(plan->edition == *edition);
    const std::string& argument = plan->connectAddress;
    FUZZ_REQUIRE(!argument.empty());
    FUZZ_REQUIRE(argument.front() != ' ' && argument.back() != ' ');
    const std::size_t last = matched.ipAddress.find_last_not_of(' ');
    FUZZ_REQUIRE(argument == matched.ipAddress.substr(first, last - first + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const pollwick::fuzz::Header header(input, 2);
    const auto fields = pollwick::fuzz::splitFields(input, '\x1f');

    pollwick::MatchCriteria criteria;
    criteria.useVersion = header.bit(0, 0);
    criteria.useName = header.bit(0, 1);
    criteria.useAddress = header.bit(0, 2);
    criteria.useGameType = header.bit(0, 3);
    criteria.includePrivate = header.bit(0, 4);
    criteria.versionText = pollwick::fuzz::field(fields, 0);
    criteria.nameText = pollwick::fuzz::field(fields, 1);
    criteria.addressText = pollwick::fuzz::field(fields, 2);
    criteria.gameTypeText = pollwick::fuzz::field(fields, 3);

    ServerRecord record;
    record.serverName = pollwick::fuzz::field(fields, 4);
    record.gameType = pollwick::fuzz::field(fields, 5);
    record.version = pollwick::fuzz::field(fields, 6);
    record.players = pollwick::fuzz::field(fields, 7);
    record.ipAddress = pollwick::fuzz::field(fields, 8);
    record.isPrivate = header.bit(1, 2);
    ParsedFields fromLine;
    if (header.bit(1, 0)) {
        fromLine.add(ParsedFields::Version);
    }
    if (header.bit(1, 1)) {
        fromLine.add(ParsedFields::IpAddress);
    }

    const ServerRecord before = record;
    const std::int32_t armedBefore = header.bit(0, 5) ? 1 : 0;
    std::int32_t armed = armedBefore;
    const MatchVerdict verdict = pollwick::testRecord(record, criteria, armed);

    const bool allMet = (!criteria.useVersion || criteria.versionText == before.version) &&
        (!criteria.useName || found(criteria.nameText, before.serverName)) &&
        (!criteria.useAddress || found(criteria.addressText, before.ipAddress)) &&
        (!criteria.useGameType || found(criteria.gameTypeText, before.gameType));
    const std::string address = lowered(before.ipAddress);
    MatchVerdict expected = MatchVerdict::Match;
    if (!allMet) {
        expected = MatchVerdict::NoMatch;
    } else if (address == "private" && !criteria.includePrivate) {
        expected = MatchVerdict::PassedOverPrivate;
    } else if (isFull(before.players)) {
        expected = MatchVerdict::PassedOverFull;
    }
    FUZZ_REQUIRE(verdict == expected);

    // Only the address changes, and only once every criterion holds.
    ServerRecord others = record;
    others.ipAddress = before.ipAddress;
    FUZZ_REQUIRE(others == before);
    FUZZ_REQUIRE(record.ipAddress == (allMet ? address : before.ipAddress));

    // The alert is armed by passing over, and never disarmed here.
    const bool passedOver =
        verdict == MatchVerdict::PassedOverPrivate || verdict == MatchVerdict::PassedOverFull;
    FUZZ_REQUIRE(armed == (passedOver ? 1 : armedBefore));

    // The helpers agree with the test.
    FUZZ_REQUIRE((pollwick::findLowered(criteria.nameText, before.serverName) != 0) ==
                 found(criteria.nameText, before.serverName));
    FUZZ_REQUIRE(pollwick::readPlayerCounts(before.players).has_value() == [&] {
        const std::size_t slash = before.players.find('/');
        return slash != std::string::npos &&
            wholeNumber(std::string_view(before.players).substr(0, slash)) &&
            wholeNumber(std::string_view(before.players).substr(slash + 1));
    }());

    if (verdict == MatchVerdict::Match) {
        checkLaunch(record, fromLine);
    }
    // Whatever the verdict, a launch plan obeys the same rules.
    checkLaunch(before, fromLine);
    return 0;
}
