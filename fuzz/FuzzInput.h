// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Small helpers shared by the fuzz targets: reading the input as bytes and
// fields, and stopping loudly when a property does not hold (libFuzzer then
// keeps the input as a crash).
namespace pollwick::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Takes N control bytes from the front of the input; missing bytes read as
// 0, so that every input, even an empty one, is usable.
template <std::size_t N>
std::array<std::uint8_t, N> takeHeader(std::string_view& input)
{
    std::array<std::uint8_t, N> header{};
    for (std::size_t i = 0; i < N && i < input.size(); ++i) {
        header[i] = static_cast<std::uint8_t>(input[i]);
    }
    input.remove_prefix(std::min(N, input.size()));
    return header;
}

// Bit n of a control byte.
inline bool bit(std::uint8_t byte, unsigned n)
{
    return ((byte >> n) & 1U) != 0;
}

// Splits at every `separator`; always at least one field.
inline std::vector<std::string_view> splitFields(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        fields.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    fields.push_back(text);
    return fields;
}

// Field i, or empty when there are fewer.
inline std::string field(const std::vector<std::string_view>& fields, std::size_t i)
{
    return i < fields.size() ? std::string(fields[i]) : std::string();
}

// A record's five texts from the fields from `first` on: name, game type,
// version, players, address.
inline ServerRecord recordFrom(const std::vector<std::string_view>& fields, std::size_t first)
{
    ServerRecord record;
    record.serverName = field(fields, first);
    record.gameType = field(fields, first + 1);
    record.version = field(fields, first + 2);
    record.players = field(fields, first + 3);
    record.ipAddress = field(fields, first + 4);
    return record;
}

[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

} // namespace pollwick::fuzz

#define FUZZ_REQUIRE(condition)                                                                    \
    ((condition) ? void() : ::pollwick::fuzz::fail(#condition, __FILE__, __LINE__))
