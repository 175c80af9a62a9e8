// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/WaveHeader.h"

#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace pollwick {
namespace {

using std::chrono::milliseconds;
using namespace test::wave;

// Each file is its header followed by `after` bytes (samples, or whatever
// follows); the length is what those bytes play for, however much the
// header claims, and the file is complete when it holds all it claims.
TEST(WaveHeader, TheLengthIsWhatTheFileHoldsAndHeadersThatDoNotAddUpAreRejected)
{
    const std::string list = chunk("LIST", "abc"); // odd size, one pad byte
    const std::string whole = waveStart(format(2, 44100, 16), 441000);
    const std::string mono16 = format(1, 8000, 16); // 16,000 bytes a second
    struct Expected {
        milliseconds length;
        bool complete;
    };
    const struct {
        std::string head;
        std::uint64_t after;
        std::optional<Expected> header;
    } cases[] = {
        {whole, 441000, Expected{milliseconds(2500), true}},
        {waveStart(format(1, 8000, 8) + list, 4000), 4000, Expected{milliseconds(500), true}},
        {waveStart(list + format(1, 8000, 8, le(0, 2)), 4000), 4000,
         Expected{milliseconds(500), true}},
        {waveStart(format(1, 8000, 8), 0), 100, Expected{milliseconds(0), true}},
        {waveStart(format(1, 8000, 32), 32000), 32000, Expected{milliseconds(1000), true}},
        // Cut short, by honest truncation or by a header that lies about
        // the size: only the bytes that are there count.
        {waveStart(mono16, 16000), 8000, Expected{milliseconds(500), false}},
        {waveStart(mono16, 0xFFFFFFF0U), 1000, Expected{milliseconds(62), false}},
        {waveStart(format(1, 8000, 8), 0xFFFFFFF0U), 100, Expected{milliseconds(12), false}},
        // The longest a file can play: the most bytes at the lowest byte rate.
        {waveStart(format(1, 8000, 8), 0xFFFFFFF0U), 0xFFFFFFF0U,
         Expected{milliseconds(536870910), true}},
        {waveStart(mono16, 999), 999, Expected{milliseconds(62), false}}, // half a frame
        // Not a wave file, no format, data before the format, no data, all
        // zeros.
        {"RIFX" + whole.substr(4), 441000, std::nullopt},
        {whole.substr(0, 8) + "AVI " + whole.substr(12), 441000, std::nullopt},
        {waveStart("", 100), 100, std::nullopt},
        {"RIFF" + le(0) + "WAVE" + chunk("data", "abcd") + format(1, 8000, 8) + "data" + le(4), 4,
         std::nullopt},
        {"RIFF" + le(0) + "WAVE" + format(1, 8000, 8) + list, 0, std::nullopt},
        {std::string(64, '\0'), 0, std::nullopt},
        // Formats that are not integer PCM or whose figures disagree.
        {waveStart(format(0, 0, 16), 100), 100, std::nullopt},
        {waveStart(rawFormat(1, 1, 8000, 1, 2, 16), 100), 100, std::nullopt},
        {waveStart(rawFormat(1, 1, 8000, 16000, 4, 16), 100), 100, std::nullopt},
        {waveStart(rawFormat(3, 1, 8000, 32000, 4, 32), 100), 100, std::nullopt},
        {waveStart(rawFormat(1, 1, 8000, 16000, 2, 12), 100), 100, std::nullopt},
        {waveStart(format(1, 8000, 40), 100), 100, std::nullopt},
        {waveStart(chunk("fmt ", le(1, 2) + le(1, 2)), 100), 100, std::nullopt},
        {waveStart(mono16 + format(2, 8000, 16), 100), 100, std::nullopt},
        // A chunk that runs past the end of what was read.
        {waveStart("LIST" + le(0xFFFFFFF0U) + mono16, 100), 100, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto header = readWaveHeader(c.head, c.head.size() + c.after);
        ASSERT_EQ(header.has_value(), c.header.has_value()) << c.head;
        if (header) {
            EXPECT_EQ(header->length(), c.header->length) << c.head;
            EXPECT_EQ(header->complete(), c.header->complete) << c.head;
        }
    }
    // Any file cut before the end of the data chunk's header (the 20-byte
    // RIFF stub among them), whether or not more bytes were read than the
    // file holds.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(readWaveHeader(whole.substr(0, size), size), std::nullopt) << size;
        EXPECT_EQ(readWaveHeader(whole, size), std::nullopt) << size;
    }
}

// Only what real players play is read, whatever else the header gets right:
// each limit, and just past it. Qt Multimedia dies of an arithmetic fault on
// a valid file of 1 Hz or 10 Hz.
TEST(WaveHeader, OnlyTheRatesChannelsAndSampleSizesOfRealPlayersAreRead)
{
    const struct {
        std::uint32_t channels;
        std::uint32_t rate;
        std::uint32_t bits;
        bool read;
    } cases[] = {
        {1, 1, 8, false},     {1, 10, 8, false},     {1, 7999, 8, false},    {1, 8000, 8, true},
        {2, 44100, 16, true}, {2, 192000, 32, true}, {2, 192001, 32, false}, {0, 8000, 8, false},
        {3, 8000, 8, false},  {1, 48000, 24, true},  {1, 8000, 0, false},    {1, 8000, 40, false},
    };
    for (const auto& c : cases) {
        const std::string file =
            waveStart(format(c.channels, c.rate, c.bits), 96) + std::string(96, '\x80');
        EXPECT_EQ(readWaveHeader(file, file.size()).has_value(), c.read)
            << c.channels << " channels, " << c.rate << " Hz, " << c.bits << " bits";
    }
    // The file that crashed the program: 45 bytes, mono, 8 bits, 1 Hz, one
    // sample.
    const std::string oneHertz = waveStart(format(1, 1, 8), 1) + '\x80';
    ASSERT_EQ(oneHertz.size(), 45U);
    EXPECT_EQ(readWaveHeader(oneHertz, oneHertz.size()), std::nullopt);
}

// The wait for a sound's end: its length and a margin, never beyond the
// longest wait, however long the sound.
TEST(WaveHeader, TheWaitForASoundIsItsLengthAndAMarginUpToTheLongestWait)
{
    using std::chrono::minutes;
    const struct {
        milliseconds length;
        milliseconds longest;
        milliseconds wait;
    } cases[] = {
        {milliseconds(0), kLongestSoundWait, milliseconds(3000)},
        {milliseconds(2500), kLongestSoundWait, milliseconds(5500)},
        {minutes(10) - milliseconds(3001), kLongestSoundWait, minutes(10) - milliseconds(1)},
        {minutes(10) - milliseconds(2999), kLongestSoundWait, minutes(10)},
        {milliseconds(4294967280000), kLongestSoundWait, minutes(10)},
        {milliseconds::max(), milliseconds::max(), milliseconds::max()},
        {milliseconds(-5), kLongestSoundWait, milliseconds(3000)},
        {milliseconds(2500), milliseconds(0), milliseconds(0)},
        {milliseconds(2500), milliseconds(-1), milliseconds(0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(soundWait(c.length, c.longest), c.wait) << c.length.count();
    }
}

} // namespace
} // namespace pollwick
