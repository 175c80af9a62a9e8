// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ServerLineParser.h"

#include "core/scan/MarkerScan.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace pollwick {
namespace {

constexpr auto kNotFound = std::string_view::npos;

// Version markers, tested in this order; the last one that occurs wins. The
// last two rows look for two DC4 control characters (0x14) after the number.
//
//   row  pattern            value
//   0    "1.24" + 3 spaces  "1.24"
//   1    "1.21" + 3 spaces  "1.21"
//   2    "1.24 x "          "1.24 x"
//   3    "1.21 x "          "1.21 x"
//   4    "1.24 s "          "1.24 s"
//   5    "1.21 s "          "1.21 s"
//   6    "1.21" DC4 DC4     "1.21"
//   7    "1.24" DC4 DC4     "1.24"
constexpr std::array<std::string_view, 8> kVersionValues = {
    "1.24", "1.21", "1.24 x", "1.21 x", "1.24 s", "1.21 s", "1.21", "1.24",
};

// Game-type markers, same rule. Coop and Race are only recognised after five
// spaces, in lower case only the other three.
//
//   row  pattern             value
//   0    "battle"            "Battle"
//   1    "ctf"               "Ctf"
//   2    "treasure"          "Treasure"
//   3    5 spaces + "Coop"   "Coop"
//   4    5 spaces + "Race"   "Race"
constexpr std::array<std::string_view, 5> kTypeValues = {"Battle", "Ctf", "Treasure", "Coop",
                                                         "Race"};

// Colour codes: the section sign (0xA7) and a digit, removed in the order of
// these digits.
constexpr char kSectionSign = '\xA7';
constexpr std::string_view kColourDigits = "1234567890";

bool startsWithAt(std::string_view text, std::size_t at, std::string_view pattern)
{
    return text.size() - at >= pattern.size() &&
        std::memcmp(text.data() + at, pattern.data(), pattern.size()) == 0;
}

// Which rows of the two tables occur in the entry, and whether "private"
// does: one pass over the entry instead of one search per pattern. The pass
// stops only where the first two bytes of a pattern stand, so a pattern that
// occurs anywhere is seen at its first byte.
struct Markers {
    std::uint32_t versionRows = 0;
    std::uint32_t typeRows = 0;
    bool isPrivate = false;
};

// What the marker at entry[i] is, if any.
inline void readMarkerAt(std::string_view entry, std::size_t i, Markers& found)
{
    const std::size_t n = entry.size();
    const char* const e = entry.data();
    switch (e[i]) {
    case '1':
        if (n - i >= 6 && e[i + 1] == '.' && e[i + 2] == '2' &&
            (e[i + 3] == '4' || e[i + 3] == '1')) {
            const bool is24 = e[i + 3] == '4';
            const char a = e[i + 4];
            const char b = e[i + 5];
            if (a == '\x14' && b == '\x14') {
                found.versionRows |= is24 ? 1U << 7U : 1U << 6U;
            } else if (n - i >= 7 && e[i + 6] == ' ') {
                if (a == ' ' && b == ' ') {
                    found.versionRows |= is24 ? 1U << 0U : 1U << 1U;
                } else if (a == ' ' && b == 'x') {
                    found.versionRows |= is24 ? 1U << 2U : 1U << 3U;
                } else if (a == ' ' && b == 's') {
                    found.versionRows |= is24 ? 1U << 4U : 1U << 5U;
                }
            }
        }
        break;
    case 'b':
        if (startsWithAt(entry, i, "battle")) {
            found.typeRows |= 1U << 0U;
        }
        break;
    case 'c':
        if (startsWithAt(entry, i, "ctf")) {
            found.typeRows |= 1U << 1U;
        }
        break;
    case 't':
        if (startsWithAt(entry, i, "treasure")) {
            found.typeRows |= 1U << 2U;
        }
        break;
    case 'p':
        if (startsWithAt(entry, i, "private")) {
            found.isPrivate = true;
        }
        break;
    case 'C':
    case 'R':
        if (i >= 5 && std::memcmp(e + i - 5, "     ", 5) == 0) {
            if (startsWithAt(entry, i, "Coop")) {
                found.typeRows |= 1U << 3U;
            } else if (startsWithAt(entry, i, "Race")) {
                found.typeRows |= 1U << 4U;
            }
        }
        break;
    default:
        break;
    }
}

Markers findMarkers(std::string_view entry)
{
    using markers::kBlock;
    using markers::kBlockRead;
    Markers found;
    const auto readBlock = [&](std::size_t base, std::uint32_t starts) {
        for (; starts != 0; starts &= starts - 1) {
            readMarkerAt(entry, base + static_cast<std::size_t>(std::countr_zero(starts)), found);
        }
    };
    // Blocks straight from the entry while it holds the byte after them, the
    // rest through a zero-padded copy (a zero byte starts no marker).
    std::size_t base = 0;
    for (; entry.size() - base >= kBlockRead; base += kBlock) {
        readBlock(base, markers::startsInBlock(entry.data() + base));
    }
    if (base < entry.size()) {
        std::array<char, kBlockRead> rest{};
        std::memcpy(rest.data(), entry.data() + base, entry.size() - base);
        readBlock(base, markers::startsInBlock(rest.data()));
    }
    return found;
}

// The row that wins: the last one that occurs.
std::size_t lastRow(std::uint32_t rows)
{
    std::size_t row = 0;
    while ((rows >>= 1U) != 0) {
        ++row;
    }
    return row;
}

// Removes every occurrence of `pattern` in one left-to-right pass: text that
// a removal brings together is not searched again. Works in place.
void removeAll(std::string& text, std::string_view pattern)
{
    std::size_t at = text.find(pattern);
    if (at == kNotFound) {
        return;
    }
    std::size_t write = at;
    std::size_t read = at + pattern.size();
    const auto keep = [&](std::size_t count) {
        std::char_traits<char>::move(text.data() + write, text.data() + read, count);
        write += count;
    };
    while ((at = text.find(pattern, read)) != kNotFound) {
        keep(at - read);
        read = at + pattern.size();
    }
    keep(text.size() - read);
    text.resize(write);
}

// The colour codes in a name, from its first section sign on.
struct ColourCodes {
    std::uint32_t digits = 0; // bit d: the code of digit d occurs
    bool signAfterSign = false; // a section sign follows another one
};

ColourCodes findColourCodes(std::string_view text, std::size_t from)
{
    ColourCodes found;
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] != kSectionSign) {
            continue;
        }
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (next >= '0' && next <= '9') {
            found.digits |= 1U << (next - '0');
        } else if (next == static_cast<unsigned char>(kSectionSign)) {
            found.signAfterSign = true;
        }
    }
    return found;
}

// Removes the colour codes "\xA71" to "\xA70", one pass per digit in that
// order: text that a removal brings together is looked at again only by the
// passes of later digits.
//
// A removal brings a new code together only where a section sign stands
// right before the removed one. Without two signs in a row, then, the passes
// remove exactly the codes that are there at the start, and one pass that
// removes them all gives the same name. Most names take that way; the others
// get a pass for each digit that still follows a section sign.
void removeColourCodes(std::string& name)
{
    std::erase(name, '|');
    const std::size_t first = name.find(kSectionSign);
    if (first == kNotFound) {
        return;
    }
    const ColourCodes codes = findColourCodes(name, first);
    if (codes.digits == 0) {
        return;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    char* const text = name.data();
    if (!codes.signAfterSign) {
        std::size_t write = first;
        for (std::size_t read = first; read < name.size();) {
            if (text[read] == kSectionSign && read + 1 < name.size() && isDigit(text[read + 1])) {
                read += 2;
            } else {
                text[write++] = text[read++];
            }
        }
        name.resize(write);
        return;
    }
    std::uint32_t pending = codes.digits;
    for (const char digit : kColourDigits) {
        if ((pending & (1U << static_cast<unsigned>(digit - '0'))) == 0) {
            continue;
        }
        // Compacts the name in place and notes, on the text that stays, which
        // digits follow a section sign for the passes still to come.
        const std::size_t size = name.size();
        std::size_t write = first;
        pending = 0;
        for (std::size_t read = first; read < size;) {
            if (text[read] == kSectionSign && read + 1 < size && text[read + 1] == digit) {
                read += 2;
                continue;
            }
            const char c = text[read++];
            if (isDigit(c) && write > 0 && text[write - 1] == kSectionSign) {
                pending |= 1U << static_cast<unsigned>(c - '0');
            }
            text[write++] = c;
        }
        name.resize(write);
    }
}

// Whether cleaning would change the name: it holds a "|", a colour code,
// or a Coop or Race ending.
bool holdsSomethingToClean(std::string_view name)
{
    if (name.find('|') != kNotFound || name.find("    Race") != kNotFound ||
        name.find("    Coop") != kNotFound) {
        return true;
    }
    for (std::size_t at = name.find(kSectionSign); at != kNotFound;
         at = name.find(kSectionSign, at + 1)) {
        if (at + 1 < name.size() && name[at + 1] >= '0' && name[at + 1] <= '9') {
            return true;
        }
    }
    return false;
}

// The colour codes, then the type that Coop and Race servers append to the
// name after four spaces. Few names hold the word at all, and without it
// there is nothing to remove.
void cleanName(std::string& name)
{
    removeColourCodes(name);
    if (name.find("Race") != kNotFound) {
        removeAll(name, "    Race");
    }
    if (name.find("Coop") != kNotFound) {
        removeAll(name, "    Coop");
    }
}

// Every field but the cleaning of the name.
ParsedFields parseFields(std::string_view entry, ServerRecord& record)
{
    ParsedFields fields;
    const std::size_t length = entry.size();

    // The name starts two characters after the first "]" (the bracket and one
    // separator) and runs to the end. When the "]" is the last character
    // there is no name at all, and the previous one stays.
    const std::size_t close = entry.find(']');
    const std::size_t nameStart = close == kNotFound ? 1 : close + 2;
    if (nameStart <= length) {
        record.serverName.assign(entry.substr(nameStart));
        fields.add(ParsedFields::ServerName);
    }
    // The last character is the CR of the line end, not part of the name;
    // a name carried from the line before loses one too.
    if (!record.serverName.empty()) {
        record.serverName.pop_back();
    }

    // Players: between the first "[" and the first "]". Without a "]", or
    // with the "]" before the "[", the previous count stays. Without a "["
    // the count runs from the start of the entry.
    const std::size_t open = entry.find('[');
    const std::size_t playersStart = open == kNotFound ? 0 : open + 1;
    if (close != kNotFound && close >= playersStart) {
        record.players.assign(entry.substr(playersStart, close - playersStart));
        fields.add(ParsedFields::Players);
    }

    const Markers markers = findMarkers(entry);
    if (markers.versionRows != 0) {
        record.version = kVersionValues[lastRow(markers.versionRows)];
        fields.add(ParsedFields::Version);
    }
    if (markers.typeRows != 0) {
        record.gameType = kTypeValues[lastRow(markers.typeRows)];
        fields.add(ParsedFields::GameType);
    }

    record.isPrivate = markers.isPrivate;
    if (record.isPrivate) {
        record.ipAddress = "Private";
        fields.add(ParsedFields::IpAddress);
    } else if (const std::size_t colon = entry.find(':'); colon != kNotFound) {
        record.ipAddress.assign(entry.substr(0, colon));
        fields.add(ParsedFields::IpAddress);
    }
    return fields;
}

} // namespace

ParsedFields parseServerLine(std::string_view entry, ServerRecord& record)
{
    const ParsedFields fields = parseFields(entry, record);
    cleanName(record.serverName);
    return fields;
}

ParsedFields ServerLineParser::parse(std::string_view entry, ServerRecord& record)
{
    const std::size_t nameBytes = record.serverName.size();
    const ParsedFields fields = parseFields(entry, record);
    if (fields.has(ParsedFields::ServerName)) {
        cleanName(record.serverName);
        m_cleanNameBytes = kUnknown;
        return fields;
    }
    // A carried name that was clean is clean without its last character.
    if (m_cleanNameBytes != nameBytes) {
        cleanName(record.serverName);
        if (holdsSomethingToClean(record.serverName)) {
            m_cleanNameBytes = kUnknown;
            return fields;
        }
    }
    m_cleanNameBytes = record.serverName.size();
    return fields;
}

} // namespace pollwick
