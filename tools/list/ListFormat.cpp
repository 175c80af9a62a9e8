// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/ListFormat.h"

#include "core/ShownText.h"
#include "core/Windows1252.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <span>
#include <utility>

namespace pollwick::listfmt {
namespace {

constexpr std::string_view kHex = "0123456789abcdef";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026 in UTF-8

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A field as far as the window shows it: a field that a list server carries
// over every line costs each line no more than that.
std::string shownField(std::string_view bytes)
{
    const ShownPart part = shownPart(bytes);
    std::string text = cp1252::toUtf8(part.kept);
    if (part.cut) {
        text += kEllipsis;
    }
    return text;
}

} // namespace

std::string jsonLine(const ServerRecord& record, std::optional<MatchVerdict> verdict)
{
    // The text fields, in the list view's column order.
    nlohmann::ordered_json object = {
        {"serverName", shownField(record.serverName)}, {"gameType", shownField(record.gameType)},
        {"version", shownField(record.version)},       {"players", shownField(record.players)},
        {"ipAddress", shownField(record.ipAddress)},   {"isPrivate", record.isPrivate},
    };
    if (verdict) {
        object["verdict"] = std::string(toString(*verdict));
    }
    // Everything but printable ASCII is escaped, so that nothing a list
    // server sends can steer a terminal; the library leaves only DEL as it
    // is, and DEL can stand only inside a string.
    std::string line = object.dump(-1, ' ', true);
    for (std::size_t at = line.find('\x7f'); at != std::string::npos; at = line.find('\x7f', at)) {
        line.replace(at, 1, "\\u007f");
    }
    line += '\n';
    return line;
}

std::string cellText(std::string_view bytes, std::size_t maxWidth)
{
    std::string out;
    out.reserve(std::min(bytes.size(), maxWidth) + 2);
    std::size_t width = 0;
    std::size_t keptBytes = 0; // of the text that leaves room for the ellipsis
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = cp1252::toUnicode(b);
        if (c == U'\\') {
            out += "\\\\";
            width += 2;
        } else if (isControl(c)) {
            out += "\\x";
            out += kHex[b >> 4U];
            out += kHex[b & 0xFU];
            width += 4;
        } else {
            cp1252::appendUtf8(out, b);
            width += 1;
        }
        // An escape is cut whole, never in the middle.
        if (width > maxWidth) {
            out.resize(keptBytes);
            out += kEllipsis;
            return out;
        }
        if (width < maxWidth) {
            keptBytes = out.size();
        }
    }
    return out;
}

std::size_t displayWidth(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

namespace {

// Cells padded to their columns' widths, two spaces apart; the last cell is
// not padded, and a last cell that is empty or ends in spaces leaves none
// behind.
std::string tableLine(std::span<const std::string> cells)
{
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) {
            line += "  ";
        }
        line += cells[c];
        if (c + 1 < cells.size()) {
            line.append(kTableColumns[c].width - displayWidth(cells[c]), ' ');
        }
    }
    line.erase(line.find_last_not_of(' ') + 1);
    line += '\n';
    return line;
}

} // namespace

std::string tableHeader(bool withVerdicts)
{
    std::array<std::string, kTableColumns.size()> cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        cells[c] = kTableColumns[c].title;
    }
    return tableLine(std::span(cells).first(withVerdicts ? cells.size() : cells.size() - 1));
}

std::string tableRow(const ServerRecord& record, std::optional<MatchVerdict> verdict)
{
    const std::array<const std::string*, 5> fields = {
        &record.serverName, &record.gameType, &record.version, &record.players, &record.ipAddress};
    std::array<std::string, kTableColumns.size()> cells;
    for (std::size_t c = 0; c < fields.size(); ++c) {
        cells[c] = cellText(*fields[c], kTableColumns[c].width);
    }
    if (verdict) {
        cells.back() = cellText(toString(*verdict), kTableColumns.back().width);
    }
    return tableLine(std::span(cells).first(verdict ? cells.size() : cells.size() - 1));
}

} // namespace pollwick::listfmt
