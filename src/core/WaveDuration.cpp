#include "core/WaveDuration.h"

#include <cstdint>

namespace pollwick {
namespace {

std::uint32_t readLittleEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

} // namespace

std::optional<std::chrono::milliseconds> waveDuration(std::string_view fileStart)
{
    if (fileStart.size() < 12 || fileStart.substr(0, 4) != "RIFF" ||
        fileStart.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::uint32_t byteRate = 0;
    std::size_t at = 12;
    while (at + 8 <= fileStart.size()) {
        const std::string_view id = fileStart.substr(at, 4);
        const std::uint32_t size = readLittleEndian32(fileStart, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= fileStart.size()) {
            byteRate = readLittleEndian32(fileStart, body + 8);
        } else if (id == "data") {
            if (byteRate == 0) {
                return std::nullopt;
            }
            return std::chrono::milliseconds{std::uint64_t{size} * 1000u / byteRate};
        }
        // Chunks are padded to an even size.
        const std::uint64_t next = std::uint64_t{body} + size + (size & 1u);
        if (next >= fileStart.size()) {
            break;
        }
        at = static_cast<std::size_t>(next);
    }
    return std::nullopt;
}

} // namespace pollwick
