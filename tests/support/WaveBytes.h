// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The bytes of wave files, honest or not, for the tests that read or play
// them.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pollwick::test::wave {

// Little-endian, `bytes` long.
inline std::string le(std::uint32_t value, std::size_t bytes = 4)
{
    std::string out;
    for (std::size_t i = 0; i < bytes; ++i, value >>= 8U) {
        out.push_back(static_cast<char>(value & 0xFFU));
    }
    return out;
}

// A chunk, padded to an even size.
inline std::string chunk(const std::string& id, const std::string& body)
{
    return id + le(static_cast<std::uint32_t>(body.size())) + body +
        std::string(body.size() % 2, 0);
}

// A "fmt " chunk with every figure as given.
inline std::string rawFormat(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate,
                             std::uint32_t byteRate, std::uint32_t blockAlign, std::uint32_t bits,
                             const std::string& extension = {})
{
    return chunk("fmt ",
                 le(tag, 2) + le(channels, 2) + le(rate) + le(byteRate) + le(blockAlign, 2) +
                     le(bits, 2) + extension);
}

// A consistent PCM "fmt " chunk.
inline std::string format(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                          const std::string& extension = {})
{
    return rawFormat(1, channels, rate, rate * channels * bits / 8, channels * bits / 8, bits,
                     extension);
}

// The start of a file: the chunks, then the header of `dataBytes` of samples.
inline std::string waveStart(const std::string& chunks, std::uint32_t dataBytes)
{
    return "RIFF" + le(0) + "WAVE" + chunks + "data" + le(dataBytes);
}

} // namespace pollwick::test::wave
