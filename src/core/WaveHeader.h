// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pollwick {

// What the header of a PCM RIFF/WAVE file says about its samples, checked
// against the file's real size. The user picks the file, so the header may
// lie: every figure here is one the file's bytes bear out.
struct WaveHeader {
    std::uint16_t channels = 0; // 1 or 2
    std::uint32_t sampleRate = 0; // frames a second, 8,000 to 192,000
    std::uint16_t bitsPerSample = 0; // 8, 16, 24 or 32
    std::uint16_t blockAlign = 0; // bytes a frame: channels times bytes a sample
    std::uint32_t byteRate = 0; // sampleRate times blockAlign
    std::uint64_t dataStart = 0; // where the samples begin in the file
    std::uint32_t declaredBytes = 0; // the data chunk's size as the header gives it
    std::uint32_t heldBytes = 0; // of those, the bytes the file really holds

    // How long the samples that the file holds play.
    [[nodiscard]] std::chrono::milliseconds length() const;

    // Whether the file holds every byte the header declares, in whole frames.
    // A player that takes the header at its word (Qt's does) waits for the
    // rest of a file that is cut short, or of a frame that is cut short,
    // for ever.
    [[nodiscard]] bool complete() const;

    bool operator==(const WaveHeader&) const = default;
};

// Reads the header from `head`, the first bytes of a file of `fileSize`
// bytes (bytes of `head` past `fileSize` are not taken as part of the file).
// Nothing when the bytes do not describe a playable PCM wave: no "RIFF" and
// "WAVE", no "fmt " chunk before the "data" chunk or a second one, a format
// other than integer PCM, figures that real players do not use (a sample
// rate outside 8,000 to 192,000 Hz, other than 1 or 2 channels, samples of
// other than 8, 16, 24 or 32 bits), a block align or byte rate that does not
// follow from them, or chunk headers that `head` does not hold whole.
std::optional<WaveHeader> readWaveHeader(std::string_view head, std::uint64_t fileSize);

// The longest the window ever waits for one sound to end. An alert needs no
// more, and it keeps every wait well within a timer's int milliseconds.
inline constexpr std::chrono::milliseconds kLongestSoundWait = std::chrono::minutes(10);

// How long to wait for a sound that plays for `length` before giving up on
// the audio system reporting its end: the length and 3 s for the audio
// system to start and stop, at most `longest`.
std::chrono::milliseconds soundWait(std::chrono::milliseconds length,
                                    std::chrono::milliseconds longest = kLongestSoundWait);

} // namespace pollwick
