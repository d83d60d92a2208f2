#include "WaveDuration.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace platform {
namespace {

std::uint32_t LittleEndian32(const char* bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

bool Read(std::ifstream& in, char* into, std::streamsize count) {
    return static_cast<bool>(in.read(into, count));
}

} // namespace

std::optional<std::chrono::milliseconds> WaveDuration(const std::filesystem::path& wave) {
    std::ifstream in(wave, std::ios::binary);
    std::array<char, 12> riff{};
    if (!Read(in, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::uint64_t fileSize = static_cast<std::uint64_t>(in.tellg());
    std::uint64_t at = riff.size();

    std::optional<std::uint32_t> byteRate;
    std::optional<std::uint64_t> dataSize;
    // Chunks are word-aligned: an odd-sized chunk is followed by one pad byte.
    while (at + 8 <= fileSize && !(byteRate && dataSize)) {
        std::array<char, 8> header{};
        in.seekg(static_cast<std::streamoff>(at));
        if (!Read(in, header.data(), header.size())) {
            return std::nullopt;
        }
        const std::uint64_t size = LittleEndian32(header.data() + 4);
        const std::uint64_t body = at + header.size();
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            // format tag, channels, sample rate, then the byte rate at offset 8
            std::array<char, 16> format{};
            if (size < format.size() || !Read(in, format.data(), format.size())) {
                return std::nullopt;
            }
            byteRate = LittleEndian32(format.data() + 8);
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            dataSize = std::min(size, fileSize - body);
        }
        at = body + size + (size & 1);
    }
    if (!byteRate || *byteRate == 0 || !dataSize) {
        return std::nullopt;
    }
    return std::chrono::milliseconds((*dataSize * 1000 + *byteRate - 1) / *byteRate);
}

} // namespace platform
