// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace pollwick {

// The fields read from one line of the list server's response. The texts are
// the bytes of the response, one byte one character (Windows-1252).
struct ServerRecord {
    std::string serverName; // colour codes removed
    std::string gameType; // "Battle", "Ctf", "Treasure", "Coop" or "Race"
    std::string version; // "1.21", "1.21 x", "1.21 s", "1.24", "1.24 x" or "1.24 s"
    std::string players; // the text between the first "[" and the first "]", e.g. "3/16"
    std::string ipAddress; // text before the first ":" (leading spaces kept), or "Private"
    bool isPrivate = false;

    friend bool operator==(const ServerRecord&, const ServerRecord&) = default;
};

// Which fields of the working record one line set itself. A field that the
// line did not set still holds the value of the line before it.
class ParsedFields final
{
public:
    enum Field : std::uint8_t {
        ServerName = 1u << 0u,
        Players = 1u << 1u,
        Version = 1u << 2u,
        GameType = 1u << 3u,
        IpAddress = 1u << 4u,
    };

    constexpr ParsedFields() = default;
    constexpr void add(Field field) { m_bits = static_cast<std::uint8_t>(m_bits | field); }
    [[nodiscard]] constexpr bool has(Field field) const { return (m_bits & field) != 0; }
    friend constexpr bool operator==(ParsedFields, ParsedFields) = default;

private:
    std::uint8_t m_bits = 0;
};

} // namespace pollwick
