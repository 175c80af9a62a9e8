// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Finding where a version, game-type or "private" marker may start, sixteen
// positions at a time. The line parser looks closer only at these positions.
// Internal to the parser; a header of its own so that the tests can hold the
// vector version to the plain one.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define POLLWICK_MARKER_SCAN_SSE2 1
#endif

namespace pollwick::markers {

// The first two bytes of every marker: "1.21"/"1.24", "battle", "ctf",
// "treasure", "private", and "Coop" and "Race" (after their five spaces).
constexpr std::array<std::pair<char, char>, 7> kStartPairs = {{
    {'1', '.'},
    {'b', 'a'},
    {'c', 't'},
    {'t', 'r'},
    {'p', 'r'},
    {'C', 'o'},
    {'R', 'a'},
}};

// Positions per block; a block's scan reads one byte more than that.
constexpr std::size_t kBlock = 16;
constexpr std::size_t kBlockRead = kBlock + 1;

// Bit i is set when block[i] and block[i + 1] are the first two bytes of a
// marker. Reads kBlockRead bytes.
inline std::uint32_t startsInBlockPlain(const char* block)
{
    std::uint32_t found = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        for (const auto& [first, second] : kStartPairs) {
            if (block[i] == first && block[i + 1] == second) {
                found |= 1U << i;
            }
        }
    }
    return found;
}

#ifdef POLLWICK_MARKER_SCAN_SSE2
inline std::uint32_t startsInBlockSse2(const char* block)
{
    // Unaligned loads are what _mm_loadu_si128 is for.
    // NOLINTBEGIN(cppcoreguidelines-pro-type-reinterpret-cast)
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 1));
    // NOLINTEND(cppcoreguidelines-pro-type-reinterpret-cast)
    const auto pair = [&](std::size_t row) {
        return _mm_and_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8(kStartPairs[row].first)),
                             _mm_cmpeq_epi8(next, _mm_set1_epi8(kStartPairs[row].second)));
    };
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_or_si128(pair(0), pair(1)), _mm_or_si128(pair(2), pair(3))),
                     _mm_or_si128(_mm_or_si128(pair(4), pair(5)), pair(6)));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
}
#endif

inline std::uint32_t startsInBlock(const char* block)
{
#ifdef POLLWICK_MARKER_SCAN_SSE2
    return startsInBlockSse2(block);
#else
    return startsInBlockPlain(block);
#endif
}

} // namespace pollwick::markers
