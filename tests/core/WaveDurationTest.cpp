#include "core/WaveDuration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace pollwick {
namespace {

using std::chrono::milliseconds;

std::string le32(std::uint32_t value)
{
    std::string bytes;
    for (unsigned shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFFU));
    }
    return bytes;
}

std::string le16(std::uint32_t value)
{
    return le32(value).substr(0, 2);
}

std::string chunk(const std::string& id, const std::string& body)
{
    // Chunks are padded to an even size.
    return id + le32(static_cast<std::uint32_t>(body.size())) + body +
        std::string(body.size() % 2, '\0');
}

std::string format(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits,
                   const std::string& extension = {})
{
    const std::uint32_t align = channels * bits / 8;
    return chunk("fmt ",
                 le16(1) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
                     le16(bits) + extension);
}

// A file start: the chunks, then the header of a data chunk of `dataBytes`.
std::string wave(const std::string& chunks, std::uint32_t dataBytes)
{
    return "RIFF" + le32(static_cast<std::uint32_t>(12 + chunks.size()) + dataBytes) + "WAVE" +
        chunks + "data" + le32(dataBytes);
}

TEST(WaveDuration, ReadsThePlayLengthPastOtherChunks)
{
    const std::string list = chunk("LIST", "abc"); // odd size, one pad byte
    const struct {
        std::string file;
        std::optional<milliseconds> length;
    } cases[] = {
        {wave(format(2, 44100, 16), 441000), milliseconds(2500)},
        {wave(format(1, 8000, 8), 8000) + "samples", milliseconds(1000)},
        {wave(format(1, 1, 8), 0xFFFFFFFFU), milliseconds(4294967295000)},
        {wave(format(1, 8000, 8) + list, 4000), milliseconds(500)},
        {wave(list + format(1, 8000, 8), 4000), milliseconds(500)},
        {wave(format(1, 8000, 8, le16(0)), 16000), milliseconds(2000)},
        // Not a wave file, no format, no rate, a format too short, a chunk
        // that runs past the end of what was read.
        {"hello, world", std::nullopt},
        {std::string(64, '\xFF'), std::nullopt},
        {wave("", 100), std::nullopt},
        {wave(format(0, 0, 16), 100), std::nullopt},
        {wave(chunk("fmt ", le16(1) + le16(1)), 100), std::nullopt},
        {wave("LIST" + le32(0xFFFFFFF0U) + format(1, 8000, 8), 100), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(waveDuration(c.file), c.length) << c.file;
    }
}

TEST(WaveDuration, RejectsTruncatedOrForeignFiles)
{
    const std::string whole = wave(format(2, 44100, 16), 441000);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(waveDuration(whole.substr(0, size)), std::nullopt) << size;
    }
    for (const auto& [at, id] : {std::pair{0U, "RIFX"}, std::pair{8U, "AVI "}}) {
        EXPECT_EQ(waveDuration(std::string(whole).replace(at, 4, id)), std::nullopt) << id;
    }
}

} // namespace
} // namespace pollwick
