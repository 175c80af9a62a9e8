// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/ShownText.h"

#include "core/Windows1252.h"

#include <array>

namespace pollwick {
namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6U));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    } else {
        // Every character shown lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12U));
        out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    }
}

constexpr char32_t kEllipsis = 0x2026;
constexpr char32_t kControlPictures = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;

} // namespace

ShownPart shownPart(std::string_view bytes, std::size_t most)
{
    if (bytes.size() <= most || most == 0) {
        return {bytes.substr(0, most), false};
    }
    return {bytes.substr(0, most - 1), true};
}

char32_t shownCharacter(unsigned char byte)
{
    if (byte < 0x20) {
        return kControlPictures + byte;
    }
    if (byte == 0x7F) {
        return kDeletePicture;
    }
    return cp1252::toUnicode(byte);
}

std::string shownUtf8(std::string_view bytes, std::size_t most)
{
    const ShownPart part = shownPart(bytes, most);
    std::string out;
    out.reserve(part.kept.size() + 3);
    for (const char byte : part.kept) {
        appendUtf8(out, shownCharacter(static_cast<unsigned char>(byte)));
    }
    if (part.cut) {
        appendUtf8(out, kEllipsis);
    }
    return out;
}

ServerRow shownRow(const ServerRecord& record)
{
    ServerRow row;
    const std::array<std::pair<const std::string*, std::string*>, 5> fields = {{
        {&record.serverName, &row.serverName},
        {&record.gameType, &row.gameType},
        {&record.version, &row.version},
        {&record.players, &row.players},
        {&record.ipAddress, &row.ipAddress},
    }};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ShownPart part = shownPart(*fields[i].first);
        fields[i].second->assign(part.kept);
        if (part.cut) {
            row.cutFields |= 1U << i;
        }
    }
    return row;
}

ShownPart rowColumn(const ServerRow& row, int column, std::size_t most)
{
    const std::array<const std::string*, 5> fields = {
        &row.serverName, &row.gameType, &row.version, &row.players, &row.ipAddress,
    };
    if (column < 0 || column >= static_cast<int>(fields.size())) {
        return {};
    }
    const auto index = static_cast<std::size_t>(column);
    const ShownPart part = shownPart(*fields[index], most);
    // What the row kept was cut already, or is cut now.
    return {part.kept, part.cut || (row.cutFields & (1U << index)) != 0};
}

} // namespace pollwick
