// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The wave header reader with arbitrary bytes and an arbitrary file size.
//
// Input: bytes 0-7, the file's size, little-endian; the rest, the first
// bytes of the file as read (possibly more than the size says the file
// holds).
//
// A header that is read is pinned down: integer PCM whose figures agree and
// are those of real players (8,000 to 192,000 Hz, 1 or 2 channels, 8, 16, 24
// or 32 bits), a data chunk whose header is in the bytes at the place given,
// and a length worked out again here in 128 bits: exactly the bytes held at
// the byte rate, never more than the whole rest of the file at that rate,
// and a wait for it that stays within the longest wait. Bytes read past the
// file's size change nothing, and a longer file never plays for less.
#include "FuzzInput.h"
#include "core/WaveHeader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace {

__extension__ typedef unsigned __int128 Wide;

std::uint64_t littleEndian(const std::uint8_t* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= std::uint64_t{bytes[i]} << (8 * i);
    }
    return value;
}

void checkAccepted(std::string_view file, std::uint64_t fileSize, const pollwick::WaveHeader& h)
{
    FUZZ_REQUIRE(file.substr(0, 4) == "RIFF" && file.substr(8, 4) == "WAVE");
    const std::uint32_t bits = h.bitsPerSample;
    // Only what real players play: a player handed anything else may crash.
    FUZZ_REQUIRE(h.channels == 1 || h.channels == 2);
    FUZZ_REQUIRE(h.sampleRate >= 8000 && h.sampleRate <= 192000);
    FUZZ_REQUIRE(bits == 8 || bits == 16 || bits == 24 || bits == 32);
    FUZZ_REQUIRE(h.blockAlign == std::uint32_t{h.channels} * (bits / 8));
    FUZZ_REQUIRE(h.byteRate == std::uint64_t{h.sampleRate} * h.blockAlign);

    // "RIFF", "WAVE", a "fmt " chunk of at least 16 bytes, then "data".
    FUZZ_REQUIRE(h.dataStart >= 12 + 8 + 16 + 8 && h.dataStart <= file.size());
    const auto data = static_cast<std::size_t>(h.dataStart) - 8;
    FUZZ_REQUIRE(file.substr(data, 4) == "data");
    FUZZ_REQUIRE(littleEndian(reinterpret_cast<const std::uint8_t*>(file.data()) + data + 4, 4) ==
                 h.declaredBytes);
    const std::uint64_t rest = fileSize - h.dataStart;
    FUZZ_REQUIRE(h.heldBytes == std::min<std::uint64_t>(h.declaredBytes, rest));
    FUZZ_REQUIRE(h.complete() ==
                 (h.heldBytes == h.declaredBytes && h.declaredBytes % h.blockAlign == 0));

    const auto length = h.length().count();
    FUZZ_REQUIRE(length >= 0);
    const Wide milliseconds = static_cast<std::uint64_t>(length);
    FUZZ_REQUIRE(milliseconds * h.byteRate <= Wide{h.heldBytes} * 1000);
    FUZZ_REQUIRE((milliseconds + 1) * h.byteRate > Wide{h.heldBytes} * 1000);
    FUZZ_REQUIRE(milliseconds * h.byteRate <= Wide{rest} * 1000);

    const auto wait = pollwick::soundWait(h.length());
    FUZZ_REQUIRE(wait <= pollwick::kLongestSoundWait);
    FUZZ_REQUIRE(wait >= std::min(h.length(), pollwick::kLongestSoundWait));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = pollwick::fuzz::asText(data, size);
    const auto sizeBytes = pollwick::fuzz::takeHeader<8>(input);
    const std::uint64_t fileSize = littleEndian(sizeBytes.data(), sizeBytes.size());

    const auto header = pollwick::readWaveHeader(input, fileSize);
    const std::string_view file =
        input.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(input.size(), fileSize)));
    FUZZ_REQUIRE(pollwick::readWaveHeader(file, fileSize) == header);
    if (!header) {
        return 0;
    }
    checkAccepted(file, fileSize, *header);
    if (fileSize < std::numeric_limits<std::uint64_t>::max()) {
        const auto longer = pollwick::readWaveHeader(file, fileSize + 1);
        FUZZ_REQUIRE(longer && longer->length() >= header->length());
    }
    return 0;
}
