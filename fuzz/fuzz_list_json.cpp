// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-list's output of arbitrary records, read back with nlohmann-json,
// whose parser is strict about UTF-8 and escapes: every JSON line is one
// object with the record's keys in order, its five texts are the record's
// Windows-1252 bytes in UTF-8, and the verdict is the one given. The table
// must stay plain, valid UTF-8 without control characters, within its
// columns' widths, and a cell cut to its width must keep a head of its text.
//
// Input: byte 0 (bit 0 isPrivate, bits 1-3 the verdict: 0-3 a verdict,
// otherwise none; bits 4-7 a cell width less one); the rest split at 0x1F
// into name, game type, version, players and address. The whole input is
// also written as one cell.
#include "FuzzInput.h"
#include "core/Windows1252.h"
#include "list/ListFormat.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace {

using nlohmann::ordered_json;
using pollwick::cp1252::toUtf8;
using pollwick::fuzz::bit;

// Valid UTF-8 without a control character (C0, DEL or C1): nothing that a
// list server sends can steer a terminal.
bool isPlain(std::string_view text)
{
    try {
        (void)ordered_json(text).dump(); // throws on malformed UTF-8
    } catch (const ordered_json::type_error&) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0U;
        if (b < 0x20 || b == 0x7F || (b == 0xC2 && next < 0xA0)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view whole = pollwick::fuzz::asText(data, size);
    std::string_view input = whole;
    const auto header = pollwick::fuzz::takeHeader<1>(input);
    pollwick::ServerRecord record =
        pollwick::fuzz::recordFrom(pollwick::fuzz::splitFields(input, '\x1f'), 0);
    record.isPrivate = bit(header[0], 0);
    std::optional<pollwick::MatchVerdict> verdict;
    if (const unsigned bits = (header[0] >> 1U) & 7U; bits < 4) {
        verdict = static_cast<pollwick::MatchVerdict>(bits);
    }

    // One line, every control escaped, and exactly this object (ordered_json
    // compares the keys in order).
    const std::string line = pollwick::listfmt::jsonLine(record, verdict);
    FUZZ_REQUIRE(line.find('\n') == line.size() - 1);
    FUZZ_REQUIRE(isPlain(std::string_view(line).substr(0, line.size() - 1)));
    ordered_json expected = {
        {"serverName", toUtf8(record.serverName)}, {"gameType", toUtf8(record.gameType)},
        {"version", toUtf8(record.version)},       {"players", toUtf8(record.players)},
        {"ipAddress", toUtf8(record.ipAddress)},   {"isPrivate", record.isPrivate},
    };
    if (verdict) {
        expected["verdict"] = std::string(pollwick::toString(*verdict));
    }
    FUZZ_REQUIRE(ordered_json::parse(line, nullptr, false) == expected);

    // The table: a header and a line per row, each plain, without a space at
    // its end, and no wider than the columns allow.
    const auto& columns = pollwick::listfmt::kTableColumns;
    std::size_t tableWidth = 0;
    for (std::size_t c = 0; c < (verdict ? columns.size() : columns.size() - 1); ++c) {
        tableWidth += (c > 0 ? 2 : 0) + columns[c].width;
    }
    pollwick::ServerRecord second = record;
    second.serverName = std::string(whole.substr(0, 40));
    for (const std::string& tableLine : {pollwick::listfmt::tableHeader(verdict.has_value()),
                                         pollwick::listfmt::tableRow(record, verdict),
                                         pollwick::listfmt::tableRow(second, verdict)}) {
        const std::string_view text = std::string_view(tableLine).substr(0, tableLine.size() - 1);
        FUZZ_REQUIRE(tableLine.ends_with('\n') && text.find('\n') == std::string_view::npos);
        FUZZ_REQUIRE(isPlain(text) && !text.ends_with(' '));
        FUZZ_REQUIRE(pollwick::listfmt::displayWidth(text) <= tableWidth);
    }

    // A cell cut to a width keeps a head of the whole cell, escapes whole,
    // and ends in an ellipsis; one that fits is not cut.
    const std::string cell = pollwick::listfmt::cellText(whole);
    FUZZ_REQUIRE(isPlain(cell));
    const std::size_t width = 1 + (header[0] >> 4U);
    const std::string cut = pollwick::listfmt::cellText(whole, width);
    FUZZ_REQUIRE(pollwick::listfmt::displayWidth(cut) <= width);
    if (pollwick::listfmt::displayWidth(cell) <= width) {
        FUZZ_REQUIRE(cut == cell);
    } else {
        constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
        const std::string_view head = std::string_view(cut).substr(0, cut.size() - 3);
        FUZZ_REQUIRE(cut.ends_with(kEllipsis) && cell.starts_with(head));
        // The head is the cell of a head of the bytes: no escape is cut.
        std::size_t bytes = 0;
        while (pollwick::listfmt::cellText(whole.substr(0, bytes)).size() < head.size()) {
            ++bytes;
        }
        FUZZ_REQUIRE(pollwick::listfmt::cellText(whole.substr(0, bytes)) == head);
    }
    return 0;
}
