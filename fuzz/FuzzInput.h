#pragma once

#include "scan/ServerRecord.h"

#include <algorithm>
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

// Takes `bytes` control bytes from the front of the input; missing bytes read
// as 0, so that every input, even an empty one, is usable.
class Header
{
public:
    Header(std::string_view& input, std::size_t bytes)
        : m_bytes(bytes, 0)
    {
        for (std::size_t i = 0; i < bytes && i < input.size(); ++i) {
            m_bytes[i] = static_cast<std::uint8_t>(input[i]);
        }
        input.remove_prefix(std::min(bytes, input.size()));
    }
    [[nodiscard]] std::uint8_t operator[](std::size_t i) const { return m_bytes.at(i); }
    [[nodiscard]] bool bit(std::size_t byte, unsigned bit) const
    {
        return ((m_bytes.at(byte) >> bit) & 1U) != 0;
    }

private:
    std::vector<std::uint8_t> m_bytes;
};

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

inline std::string field(const std::vector<std::string_view>& fields, std::size_t i)
{
    return i < fields.size() ? std::string(fields[i]) : std::string();
}

// A record's five texts from fields[first...] (name, game type, version,
// players, address); missing fields are empty.
inline ServerRecord recordFrom(const std::vector<std::string_view>& fields, std::size_t first)
{
    const auto at = [&](std::size_t i) {
        return first + i < fields.size() ? std::string(fields[first + i]) : std::string();
    };
    ServerRecord record;
    record.serverName = at(0);
    record.gameType = at(1);
    record.version = at(2);
    record.players = at(3);
    record.ipAddress = at(4);
    return record;
}

[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

} // namespace pollwick::fuzz

#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::pollwick::fuzz::fail(#condition, __FILE__, __LINE__);                                \
        }                                                                                          \
    } while (false)
