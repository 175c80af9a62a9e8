// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The line parser on arbitrary entries, one after the other on the same
// working record, as the response walk uses it, against a plain reading of
// the parsing rules: 1-based positions and signed counts, where a step whose
// count comes out negative is skipped and changes nothing.
//
// Input: byte 0 holds flags; the rest is split at LF into entries. With flag
// bit 0 the first entry is not parsed but gives the carried-over record
// (fields separated by 0x1F; flag bit 1 isPrivate), so that lines meet
// records that no line made.
#include "FuzzInput.h"
#include "core/scan/ServerLineParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

using pollwick::ParsedFields;
using pollwick::ServerRecord;
using pollwick::fuzz::bit;

// 1-based position of the first occurrence, 0 when absent.
long long position(std::string_view text, std::string_view pattern)
{
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

// Every occurrence removed in one left-to-right pass; what a removal brings
// together is not looked at again.
std::string removeEvery(std::string_view text, std::string_view pattern)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, pattern.size()) == pattern) {
            i += pattern.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

// Marker tables in test order: the last row that occurs wins.
constexpr std::pair<std::string_view, std::string_view> kVersions[] = {
    {"1.24   ", "1.24"},      {"1.21   ", "1.21"},      {"1.24 x ", "1.24 x"},
    {"1.21 x ", "1.21 x"},    {"1.24 s ", "1.24 s"},    {"1.21 s ", "1.21 s"},
    {"1.21\x14\x14", "1.21"}, {"1.24\x14\x14", "1.24"},
};
constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
    {"battle", "Battle"},  {"ctf", "Ctf"},        {"treasure", "Treasure"},
    {"     Coop", "Coop"}, {"     Race", "Race"},
};

ParsedFields plainParse(std::string_view e, ServerRecord& r)
{
    ParsedFields set;
    const auto length = static_cast<long long>(e.size());
    const long long close = position(e, "]");
    if (length - close - 1 >= 0) { // the name: from two after "]" to the end
        r.serverName = e.substr(static_cast<std::size_t>(close + 1));
        set.add(ParsedFields::ServerName);
    }
    if (!r.serverName.empty()) { // less the CR
        r.serverName.pop_back();
    }
    r.serverName = removeEvery(r.serverName, "|");
    for (const char digit : std::string_view("1234567890")) {
        r.serverName = removeEvery(r.serverName, std::string{'\xA7', digit});
    }
    const long long open = position(e, "[");
    if (close - open - 1 >= 0) { // players: between the first "[" and the first "]"
        r.players =
            e.substr(static_cast<std::size_t>(open), static_cast<std::size_t>(close - open - 1));
        set.add(ParsedFields::Players);
    }
    for (const auto& [pattern, value] : kVersions) {
        if (position(e, pattern) != 0) {
            r.version = value;
            set.add(ParsedFields::Version);
        }
    }
    for (const auto& [pattern, value] : kTypes) {
        if (position(e, pattern) != 0) {
            r.gameType = value;
            set.add(ParsedFields::GameType);
        }
    }
    r.isPrivate = position(e, "private") != 0;
    if (r.isPrivate) {
        r.ipAddress = "Private";
        set.add(ParsedFields::IpAddress);
    } else if (const long long colon = position(e, ":"); colon - 1 >= 0) {
        r.ipAddress = e.substr(0, static_cast<std::size_t>(colon - 1));
        set.add(ParsedFields::IpAddress);
    }
    r.serverName = removeEvery(removeEvery(r.serverName, "    Race"), "    Coop");
    return set;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const auto header = pollwick::fuzz::takeHeader<1>(input);
    const auto entries = pollwick::fuzz::splitFields(input, '\n');
    ServerRecord record;
    std::size_t first = 0;
    if (bit(header[0], 0)) {
        record =
            pollwick::fuzz::recordFrom(pollwick::fuzz::splitFields(entries.front(), '\x1f'), 0);
        record.isPrivate = bit(header[0], 1);
        first = 1;
    }
    // The parser of a response, which keeps what it learnt of a carried
    // name between lines, parses as the plain reading does line by line.
    pollwick::ServerLineParser responseParser;
    ServerRecord carried = record;
    for (std::size_t i = first; i < entries.size(); ++i) {
        ServerRecord plain = record;
        const ParsedFields fields = pollwick::parseServerLine(entries[i], record);
        FUZZ_REQUIRE(fields == plainParse(entries[i], plain));
        FUZZ_REQUIRE(record == plain);
        FUZZ_REQUIRE(responseParser.parse(entries[i], carried) == fields);
        FUZZ_REQUIRE(carried == record);
    }
    return 0;
}
