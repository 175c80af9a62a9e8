// The line parser as first written: one search per pattern, each removal
// into a new string. Kept as the reference that the faster parser must
// agree with, entry for entry and field for field.
#include "ReferenceParser.h"

#include <array>
#include <string>

namespace pollwick::reference {
namespace {

constexpr auto npos = std::string_view::npos;

struct TableRow {
    std::string_view pattern;
    std::string_view value;
};

// Version markers, tested in this order; the last one that occurs wins. The
// last two rows look for two DC4 control characters (0x14) after the number.
constexpr std::array<TableRow, 8> kVersionTable = {{
    {"1.24   ", "1.24"},
    {"1.21   ", "1.21"},
    {"1.24 x ", "1.24 x"},
    {"1.21 x ", "1.21 x"},
    {"1.24 s ", "1.24 s"},
    {"1.21 s ", "1.21 s"},
    {"1.21\x14\x14", "1.21"},
    {"1.24\x14\x14", "1.24"},
}};

// Game-type markers, same rule. Coop and Race are only recognised after five
// spaces, in lower case only the other three.
constexpr std::array<TableRow, 5> kTypeTable = {{
    {"battle", "Battle"},
    {"ctf", "Ctf"},
    {"treasure", "Treasure"},
    {"     Coop", "Coop"},
    {"     Race", "Race"},
}};

// Colour codes: the section sign (0xA7) and a digit, removed in the order of
// these digits.
constexpr char kSectionSign = '\xA7';
constexpr std::string_view kColourDigits = "1234567890";

// Removes every occurrence of `pattern` in one left-to-right pass: text that
// a removal brings together is not searched again.
void removeAll(std::string& text, std::string_view pattern)
{
    std::size_t at = text.find(pattern);
    if (at == npos) {
        return;
    }
    std::string kept;
    kept.reserve(text.size());
    std::size_t from = 0;
    for (; at != npos; at = text.find(pattern, from)) {
        kept.append(text, from, at - from);
        from = at + pattern.size();
    }
    kept.append(text, from);
    text = std::move(kept);
}

void applyTable(std::string_view entry, const auto& table, std::string& field, ParsedFields& fields,
                ParsedFields::Field which)
{
    for (const TableRow& row : table) {
        if (entry.find(row.pattern) != npos) {
            field = row.value;
            fields.add(which);
        }
    }
}

} // namespace

ParsedFields ParseServerLine(std::string_view entry, ServerRecord& record)
{
    ParsedFields fields;
    const std::size_t length = entry.size();

    // The name starts two characters after the first "]" (the bracket and one
    // separator) and runs to the end. When the "]" is the last character
    // there is no name at all, and the previous one stays.
    const std::size_t close = entry.find(']');
    const std::size_t nameStart = close == npos ? 1 : close + 2;
    if (nameStart <= length) {
        record.serverName.assign(entry.substr(nameStart));
        fields.add(ParsedFields::ServerName);
    }
    // The last character is the CR of the line end, not part of the name.
    if (!record.serverName.empty()) {
        record.serverName.pop_back();
    }
    removeAll(record.serverName, "|");
    for (const char digit : kColourDigits) {
        const std::array<char, 2> code = {kSectionSign, digit};
        removeAll(record.serverName, std::string_view(code.data(), code.size()));
    }

    // Players: between the first "[" and the first "]". Without a "]", or
    // with the "]" before the "[", the previous count stays. Without a "["
    // the count runs from the start of the entry.
    const std::size_t open = entry.find('[');
    const std::size_t playersStart = open == npos ? 0 : open + 1;
    if (close != npos && close >= playersStart) {
        record.players.assign(entry.substr(playersStart, close - playersStart));
        fields.add(ParsedFields::Players);
    }

    applyTable(entry, kVersionTable, record.version, fields, ParsedFields::Version);
    applyTable(entry, kTypeTable, record.gameType, fields, ParsedFields::GameType);

    record.isPrivate = entry.find("private") != npos;
    if (record.isPrivate) {
        record.ipAddress = "Private";
        fields.add(ParsedFields::IpAddress);
    } else if (const std::size_t colon = entry.find(':'); colon != npos) {
        record.ipAddress.assign(entry.substr(0, colon));
        fields.add(ParsedFields::IpAddress);
    }

    // Coop and Race servers append their type to the name after four spaces.
    removeAll(record.serverName, "    Race");
    removeAll(record.serverName, "    Coop");
    return fields;
}

} // namespace pollwick::reference
