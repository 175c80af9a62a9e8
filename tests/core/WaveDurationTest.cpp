#include "core/WaveDuration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace pollwick {
namespace {

using std::chrono::milliseconds;

std::string le16(std::uint16_t value)
{
    return {static_cast<char>(value & 0xFFu), static_cast<char>(value >> 8u)};
}

std::string le32(std::uint32_t value)
{
    return le16(static_cast<std::uint16_t>(value & 0xFFFFu)) +
        le16(static_cast<std::uint16_t>(value >> 16u));
}

std::string chunk(const std::string& id, const std::string& body)
{
    auto result = id + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 != 0) {
        result.push_back('\0'); // chunks are padded to an even size
    }
    return result;
}

std::string format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    return chunk("fmt ",
                 le16(1) + le16(channels) + le32(rate) + le32(rate * blockAlign) +
                     le16(blockAlign) + le16(bits));
}

// The header of a file whose data chunk holds `dataBytes`; the samples
// themselves are not part of it.
std::string dataHeader(std::uint32_t dataBytes)
{
    return "data" + le32(dataBytes);
}

std::string riff(const std::string& chunks, std::uint32_t dataBytes)
{
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size()) + dataBytes) + "WAVE" +
        chunks;
}

TEST(WaveDuration, ReadsThePlayLength)
{
    EXPECT_EQ(waveDuration(riff(format(2, 44100, 16) + dataHeader(441000), 441000)),
              milliseconds(2500));
    EXPECT_EQ(waveDuration(riff(format(1, 8000, 8) + dataHeader(8000), 8000) + "samples"),
              milliseconds(1000));
    EXPECT_EQ(waveDuration(riff(format(1, 1, 8) + dataHeader(0xFFFFFFFFu), 0)),
              milliseconds(4294967295000));
}

TEST(WaveDuration, SkipsOtherChunksWithTheirPadding)
{
    const auto list = chunk("LIST", "abc"); // odd size, one pad byte
    EXPECT_EQ(list.size(), 12u);
    EXPECT_EQ(waveDuration(riff(format(1, 8000, 8) + list + dataHeader(4000), 4000)),
              milliseconds(500));
    EXPECT_EQ(waveDuration(riff(list + format(1, 8000, 8) + dataHeader(4000), 4000)),
              milliseconds(500));
    // A format chunk with the two-byte extension size.
    const auto extended =
        chunk("fmt ", le16(1) + le16(1) + le32(8000) + le32(8000) + le16(1) + le16(8) + le16(0));
    EXPECT_EQ(waveDuration(riff(extended + dataHeader(16000), 16000)), milliseconds(2000));
}

TEST(WaveDuration, RejectsTruncatedOrForeignInput)
{
    const auto whole = riff(format(2, 44100, 16) + dataHeader(441000), 441000);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(waveDuration(whole.substr(0, size)), std::nullopt) << size;
    }
    auto notWave = whole;
    notWave.replace(8, 4, "AVI ");
    EXPECT_EQ(waveDuration(notWave), std::nullopt);
    auto notRiff = whole;
    notRiff.replace(0, 4, "RIFX");
    EXPECT_EQ(waveDuration(notRiff), std::nullopt);

    EXPECT_EQ(waveDuration("hello, world"), std::nullopt);
    EXPECT_EQ(waveDuration(std::string(64, '\xFF')), std::nullopt);
    EXPECT_EQ(waveDuration(riff(dataHeader(100), 100)), std::nullopt); // no format
    EXPECT_EQ(waveDuration(riff(format(0, 0, 16) + dataHeader(100), 100)), std::nullopt);
    // A chunk whose size runs past the end of what was read.
    EXPECT_EQ(
        waveDuration(riff("LIST" + le32(0xFFFFFFF0u) + format(1, 8000, 8) + dataHeader(100), 100)),
        std::nullopt);
    // A format chunk too short to hold its fields.
    EXPECT_EQ(waveDuration(riff(chunk("fmt ", le16(1) + le16(1)) + dataHeader(100), 100)),
              std::nullopt);
}

} // namespace
} // namespace pollwick
