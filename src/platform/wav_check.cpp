#include "platform/wav_check.hpp"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool plausibleFormat(const std::array<uint8_t, 16>& fmt) {
    const uint16_t tag = le16(&fmt[0]);
    const uint16_t channels = le16(&fmt[2]);
    const uint32_t rate = le32(&fmt[4]);
    const uint16_t bits = le16(&fmt[14]);
    const bool pcm = tag == 1 || tag == 3 || tag == 0xFFFE;  // integer, float, extensible
    return pcm && channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 &&
           (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

}  // namespace

bool isReadableWav(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;

    std::array<uint8_t, 12> riff{};
    if (!file.read(reinterpret_cast<char*>(riff.data()), riff.size())) return false;
    if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        return false;
    }

    // Walk the chunks; a bounded number of them, each skipped by its size.
    bool formatOk = false;
    for (int chunk = 0; chunk < 64; ++chunk) {
        std::array<uint8_t, 8> header{};
        if (!file.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
        const uint32_t size = le32(header.data() + 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            if (size < 16) return false;
            std::array<uint8_t, 16> fmt{};
            if (!file.read(reinterpret_cast<char*>(fmt.data()), fmt.size())) return false;
            if (!plausibleFormat(fmt)) return false;
            formatOk = true;
            file.seekg(static_cast<std::streamoff>(size - 16 + (size & 1u)), std::ios::cur);
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            return formatOk;
        } else {
            file.seekg(static_cast<std::streamoff>(size) + (size & 1u), std::ios::cur);
        }
        if (!file) return false;
    }
    return false;
}
