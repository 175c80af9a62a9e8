#include "core/WaveDuration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace pollwick {
namespace {

using std::chrono::milliseconds;

// Little-endian, `bytes` long.
std::string le(std::uint32_t value, std::size_t bytes = 4)
{
    std::string out;
    for (std::size_t i = 0; i < bytes; ++i, value >>= 8U) {
        out.push_back(static_cast<char>(value & 0xFFU));
    }
    return out;
}

// A chunk, padded to an even size.
std::string chunk(const std::string& id, const std::string& body)
{
    return id + le(static_cast<std::uint32_t>(body.size())) + body +
        std::string(body.size() % 2, 0);
}

std::string format(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                   const std::string& extension = {})
{
    return chunk("fmt ",
                 le(1, 2) + le(channels, 2) + le(rate) + le(rate * channels * bits / 8) +
                     le(channels * bits / 8, 2) + le(bits, 2) + extension);
}

// The start of a file: the chunks, then the header of `dataBytes` of samples.
std::string wave(const std::string& chunks, std::uint32_t dataBytes)
{
    return "RIFF" + le(0) + "WAVE" + chunks + "data" + le(dataBytes);
}

TEST(WaveDuration, ReadsThePlayLengthPastOtherChunksAndRejectsAnythingElse)
{
    const std::string list = chunk("LIST", "abc"); // odd size, one pad byte
    const std::string whole = wave(format(2, 44100, 16), 441000);
    const struct {
        std::string file;
        std::optional<milliseconds> length;
    } cases[] = {
        {whole, milliseconds(2500)},
        {wave(format(1, 8000, 8), 8000) + "samples", milliseconds(1000)},
        {wave(format(1, 1, 8), 0xFFFFFFFFU), milliseconds(4294967295000)},
        {wave(format(1, 8000, 8) + list, 4000), milliseconds(500)},
        {wave(list + format(1, 8000, 8, le(0, 2)), 4000), milliseconds(500)},
        // Not a wave file, no format, no rate, a format too short, a chunk
        // that runs past the end of what was read.
        {"RIFX" + whole.substr(4), std::nullopt},
        {whole.substr(0, 8) + "AVI " + whole.substr(12), std::nullopt},
        {wave("", 100), std::nullopt},
        {wave(format(0, 0, 16), 100), std::nullopt},
        {wave(chunk("fmt ", le(1, 2) + le(1, 2)), 100), std::nullopt},
        {wave("LIST" + le(0xFFFFFFF0U) + format(1, 8000, 8), 100), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(waveDuration(c.file), c.length) << c.file;
    }
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(waveDuration(whole.substr(0, size)), std::nullopt) << size;
    }
}

} // namespace
} // namespace pollwick
