// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/WaveHeader.h"

#include <algorithm>

namespace pollwick {
namespace {

// The only format tag taken: integer PCM.
constexpr std::uint16_t kPcm = 1;

// What real players play. Nothing outside it is handed to a player: Qt
// Multimedia, for one, kills the program with an arithmetic fault (SIGFPE, in
// a timer of its own) on a valid file of 1 Hz or 10 Hz.
constexpr std::uint32_t kLowestSampleRate = 8000;
constexpr std::uint32_t kHighestSampleRate = 192000;
constexpr std::uint16_t kMostChannels = 2;

// The margin beyond a sound's length for the audio system to start and stop.
constexpr std::chrono::milliseconds kMargin{3000};

// Little-endian, `bytes` long, at `at`: the caller has checked the bounds.
std::uint32_t readLittleEndian(std::string_view head, std::size_t at, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(head[at + i])) << (8 * i);
    }
    return value;
}

// The "fmt " chunk's body, at least 16 bytes long; false when the figures do
// not describe integer PCM that real players play, or do not agree with each
// other. The byte rate and block align are checked, because the length is
// worked out from the byte rate while a player plays at the sample rate.
bool readFormat(std::string_view body, WaveHeader& header)
{
    const auto tag = static_cast<std::uint16_t>(readLittleEndian(body, 0, 2));
    header.channels = static_cast<std::uint16_t>(readLittleEndian(body, 2, 2));
    header.sampleRate = readLittleEndian(body, 4, 4);
    header.byteRate = readLittleEndian(body, 8, 4);
    header.blockAlign = static_cast<std::uint16_t>(readLittleEndian(body, 12, 2));
    header.bitsPerSample = static_cast<std::uint16_t>(readLittleEndian(body, 14, 2));
    const std::uint32_t bits = header.bitsPerSample;
    return tag == kPcm && header.channels >= 1 && header.channels <= kMostChannels &&
        header.sampleRate >= kLowestSampleRate && header.sampleRate <= kHighestSampleRate &&
        (bits == 8 || bits == 16 || bits == 24 || bits == 32) &&
        header.blockAlign == std::uint32_t{header.channels} * (bits / 8) &&
        header.byteRate == std::uint64_t{header.sampleRate} * header.blockAlign;
}

} // namespace

std::chrono::milliseconds WaveHeader::length() const
{
    // At most 2^32 bytes times 1000: far within 64 bits.
    return std::chrono::milliseconds(std::uint64_t{heldBytes} * 1000U / byteRate);
}

bool WaveHeader::complete() const
{
    return heldBytes == declaredBytes && declaredBytes % blockAlign == 0;
}

std::optional<WaveHeader> readWaveHeader(std::string_view head, std::uint64_t fileSize)
{
    head = head.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), fileSize)));
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    WaveHeader header;
    bool haveFormat = false;
    std::uint64_t at = 12;
    // Every chunk header read lies within `head`, and so within the file.
    while (at + 8 <= head.size()) {
        const auto chunk = static_cast<std::size_t>(at);
        const std::string_view id = head.substr(chunk, 4);
        const std::uint32_t size = readLittleEndian(head, chunk + 4, 4);
        const std::uint64_t body = at + 8;
        if (id == "data") {
            if (!haveFormat) {
                return std::nullopt;
            }
            header.dataStart = body;
            header.declaredBytes = size;
            header.heldBytes =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(size, fileSize - body));
            return header;
        }
        if (id == "fmt ") {
            if (haveFormat || size < 16 || body + 16 > head.size() ||
                !readFormat(head.substr(static_cast<std::size_t>(body), 16), header)) {
                return std::nullopt;
            }
            haveFormat = true;
        }
        // Chunks are padded to an even size.
        at = body + size + (size & 1U);
    }
    return std::nullopt;
}

std::chrono::milliseconds soundWait(std::chrono::milliseconds length,
                                    std::chrono::milliseconds longest)
{
    longest = std::max(longest, std::chrono::milliseconds(0));
    length = std::clamp(length, std::chrono::milliseconds(0), longest);
    // The margin is cut to what is left of `longest`, so that nothing overflows.
    return length + std::min(kMargin, longest - length);
}

} // namespace pollwick
