// The line parser on arbitrary entries, one after the other on the same
// working record, as the response walk uses it.
//
// Input: byte 0 holds flags; the rest is split at LF into entries. With flag
// bit 0 the first entry is not parsed but gives the carried-over record
// (fields separated by 0x1F), so that lines meet records that no line made.
//
// Each parse is checked against a second, deliberately plain parser that
// follows the rules word for word with 1-based positions, and against the
// properties that the rest of the program relies on: players and address
// are taken from the entry, the name is the entry's tail with characters
// removed, a field that the line does not set keeps its value.
#include "FuzzInput.h"
#include "core/scan/ServerLineParser.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using pollwick::ParsedFields;
using pollwick::ServerRecord;

// 1-based position of the first occurrence, 0 when absent.
std::size_t inStr(std::string_view text, std::string_view pattern)
{
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : at + 1;
}

// `count` characters from 1-based position `start`.
std::string mid(std::string_view text, std::size_t start, std::size_t count)
{
    return std::string(text.substr(start - 1, count));
}

void removeEvery(std::string& text, std::string_view pattern)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, pattern.size(), pattern) == 0) {
            i += pattern.size();
        } else {
            out += text[i];
            ++i;
        }
    }
    text = out;
}

struct Row {
    const char* pattern;
    std::size_t length;
    const char* value;
};

constexpr std::array<Row, 8> kVersions = {{
    {"1.24   ", 7, "1.24"},
    {"1.21   ", 7, "1.21"},
    {"1.24 x ", 7, "1.24 x"},
    {"1.21 x ", 7, "1.21 x"},
    {"1.24 s ", 7, "1.24 s"},
    {"1.21 s ", 7, "1.21 s"},
    {"1.21\x14\x14", 6, "1.21"},
    {"1.24\x14\x14", 6, "1.24"},
}};

constexpr std::array<Row, 5> kTypes = {{
    {"battle", 6, "Battle"},
    {"ctf", 3, "Ctf"},
    {"treasure", 8, "Treasure"},
    {"     Coop", 9, "Coop"},
    {"     Race", 9, "Race"},
}};

// The rules, step by step, with signed counts: a step whose count comes out
// negative is skipped and changes nothing.
ParsedFields plainParse(std::string_view e, ServerRecord& r)
{
    ParsedFields set;
    const auto len = static_cast<long long>(e.size());

    const auto p = static_cast<long long>(inStr(e, "]"));
    if (const long long count = len - p - 1; count >= 0) {
        r.serverName = std::string(e.substr(e.size() - static_cast<std::size_t>(count)));
        set.add(ParsedFields::ServerName);
    }
    if (!r.serverName.empty()) {
        r.serverName.pop_back();
    }
    removeEvery(r.serverName, "|");
    for (const char digit : std::string_view("1234567890")) {
        removeEvery(r.serverName, std::string("\xA7") + digit);
    }

    const auto l = static_cast<long long>(inStr(e, "["));
    const auto rr = static_cast<long long>(inStr(e, "]"));
    if (const long long count = rr - l - 1; count >= 0) {
        r.players = l + 1 > len
            ? std::string()
            : mid(e, static_cast<std::size_t>(l + 1), static_cast<std::size_t>(count));
        set.add(ParsedFields::Players);
    }

    for (const Row& row : kVersions) {
        if (inStr(e, std::string_view(row.pattern, row.length)) != 0) {
            r.version = row.value;
            set.add(ParsedFields::Version);
        }
    }
    for (const Row& row : kTypes) {
        if (inStr(e, std::string_view(row.pattern, row.length)) != 0) {
            r.gameType = row.value;
            set.add(ParsedFields::GameType);
        }
    }

    r.isPrivate = e.rfind("private") != std::string_view::npos;
    if (r.isPrivate) {
        r.ipAddress = "Private";
        set.add(ParsedFields::IpAddress);
    } else if (const long long count = static_cast<long long>(inStr(e, ":")) - 1; count >= 0) {
        r.ipAddress = std::string(e.substr(0, static_cast<std::size_t>(count)));
        set.add(ParsedFields::IpAddress);
    }

    removeEvery(r.serverName, "    Race");
    removeEvery(r.serverName, "    Coop");
    return set;
}

bool isSubsequence(std::string_view part, std::string_view whole)
{
    std::size_t i = 0;
    for (const char c : whole) {
        if (i < part.size() && part[i] == c) {
            ++i;
        }
    }
    return i == part.size();
}

bool isTableValue(const std::string& value, const auto& table)
{
    for (const Row& row : table) {
        if (value == row.value) {
            return true;
        }
    }
    return false;
}

void checkOne(std::string_view entry, ServerRecord& record)
{
    const ServerRecord before = record;
    ServerRecord plain = record;
    const ParsedFields fields = pollwick::ParseServerLine(entry, record);
    const ParsedFields plainFields = plainParse(entry, plain);

    FUZZ_REQUIRE(record == plain);
    FUZZ_REQUIRE(fields == plainFields);

    // Parsing is a function of the entry and the record before it.
    ServerRecord again = before;
    FUZZ_REQUIRE(pollwick::ParseServerLine(entry, again) == fields);
    FUZZ_REQUIRE(again == record);

    FUZZ_REQUIRE(record.serverName.find('|') == std::string::npos);
    if (fields.has(ParsedFields::ServerName)) {
        const std::size_t close = entry.find(']');
        const std::size_t start = close == std::string_view::npos ? 1 : close + 2;
        FUZZ_REQUIRE(start <= entry.size());
        FUZZ_REQUIRE(isSubsequence(record.serverName, entry.substr(start)));
        FUZZ_REQUIRE(record.serverName.size() < entry.size());
    } else {
        FUZZ_REQUIRE(record.serverName.size() <= before.serverName.size());
        FUZZ_REQUIRE(isSubsequence(record.serverName, before.serverName));
    }

    if (fields.has(ParsedFields::Players)) {
        FUZZ_REQUIRE(entry.find(record.players) != std::string_view::npos);
        FUZZ_REQUIRE(record.players.find(']') == std::string::npos);
    } else {
        FUZZ_REQUIRE(record.players == before.players);
    }

    FUZZ_REQUIRE(record.isPrivate == (entry.find("private") != std::string_view::npos));
    if (record.isPrivate) {
        FUZZ_REQUIRE(record.ipAddress == "Private");
        FUZZ_REQUIRE(fields.has(ParsedFields::IpAddress));
    } else if (fields.has(ParsedFields::IpAddress)) {
        // The address is the entry up to its first colon, nothing else.
        FUZZ_REQUIRE(entry.substr(0, record.ipAddress.size()) == record.ipAddress);
        FUZZ_REQUIRE(entry.size() > record.ipAddress.size());
        FUZZ_REQUIRE(entry[record.ipAddress.size()] == ':');
        FUZZ_REQUIRE(record.ipAddress.find(':') == std::string::npos);
    } else {
        FUZZ_REQUIRE(entry.find(':') == std::string_view::npos);
        FUZZ_REQUIRE(record.ipAddress == before.ipAddress);
    }

    if (fields.has(ParsedFields::Version)) {
        FUZZ_REQUIRE(isTableValue(record.version, kVersions));
    } else {
        FUZZ_REQUIRE(record.version == before.version);
    }
    if (fields.has(ParsedFields::GameType)) {
        FUZZ_REQUIRE(isTableValue(record.gameType, kTypes));
    } else {
        FUZZ_REQUIRE(record.gameType == before.gameType);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const pollwick::fuzz::Header header(input, 1);

    std::vector<std::string_view> entries = pollwick::fuzz::splitFields(input, '\n');
    ServerRecord record;
    std::size_t first = 0;
    if (header.bit(0, 0)) {
        const auto fields = pollwick::fuzz::splitFields(entries.front(), '\x1f');
        record.serverName = pollwick::fuzz::field(fields, 0);
        record.gameType = pollwick::fuzz::field(fields, 1);
        record.version = pollwick::fuzz::field(fields, 2);
        record.players = pollwick::fuzz::field(fields, 3);
        record.ipAddress = pollwick::fuzz::field(fields, 4);
        record.isPrivate = header.bit(0, 1);
        first = 1;
    }
    for (std::size_t i = first; i < entries.size(); ++i) {
        checkOne(entries[i], record);
    }
    return 0;
}
