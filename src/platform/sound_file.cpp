// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound_file.hpp"

#include <algorithm>
#include <cstring>

#include "platform/file_access.hpp"

namespace tiefschacht {

namespace {

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct WavFormat {
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t bits = 0;
};

constexpr uint16_t integerTag = 1, floatTag = 3, extensibleTag = 0xFFFE;

// The format chunk of `size` bytes at `fmt`, as the windowed mixer takes it:
// integer PCM of 8 to 32 bits or 32-bit float (an extensible header must be
// whole and name one of the two), a block of whole samples, a plausible
// channel count and rate.
bool playableFormat(const uint8_t* fmt, uint32_t size, WavFormat& format) {
    uint16_t tag = le16(fmt);
    format.channels = le16(fmt + 2);
    format.rate = le32(fmt + 4);
    const uint16_t blockAlign = le16(fmt + 12);
    format.bits = le16(fmt + 14);
    if (tag == extensibleTag) {
        // The sub-format: a format tag, then the fixed rest of the GUID.
        static constexpr uint8_t guidRest[14] = {0, 0, 0,    0, 0x10, 0,    0x80,
                                                 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        if (size < 40 || le16(fmt + 16) < 22 || std::memcmp(fmt + 26, guidRest, 14) != 0)
            return false;
        tag = le16(fmt + 24);
    }
    const bool sampleSize = tag == integerTag ? (format.bits == 8 || format.bits == 16 ||
                                                 format.bits == 24 || format.bits == 32)
                                              : tag == floatTag && format.bits == 32;
    return sampleSize && blockAlign != 0 &&
           (uint32_t{format.channels} * format.bits) % (uint32_t{blockAlign} * 8) == 0 &&
           format.channels >= 1 && format.channels <= 8 && format.rate >= 1000 &&
           format.rate <= 384000;
}

// The bytes the samples take once converted to 44.1 kHz 16-bit stereo.
uint64_t convertedSize(const WavFormat& format, uint64_t dataBytes) {
    constexpr uint64_t outputRate = 44100;
    constexpr uint64_t outputFrameBytes = 4;
    const uint64_t frames = dataBytes / (uint64_t{format.channels} * (format.bits / 8u));
    return frames * outputRate / format.rate * outputFrameBytes;
}

}  // namespace

bool checkWav(std::string_view bytes, std::string& error, std::string* note) {
    const auto* d = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t n = bytes.size();
    if (n < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) {
        error = "not a WAV file";
        return false;
    }
    // Chunks are looked for only inside the RIFF chunk, as the size it gives
    // says (0 says nothing).
    const uint32_t riffSize = le32(d + 4);
    const uint64_t riffEnd = riffSize != 0 ? uint64_t{8} + riffSize : n;
    // Walk the chunks; a bounded number of them, each skipped by its size.
    bool formatOk = false;
    WavFormat format;
    size_t p = 12;
    for (int chunk = 0; chunk < 64 && p + 8 <= n && p < riffEnd; ++chunk) {
        const uint32_t size = le32(d + p + 4);
        const size_t body = p + 8;
        if (std::memcmp(d + p, "fmt ", 4) == 0) {
            if (size < 16 || body + std::min<uint64_t>(size, 40) > n ||
                !playableFormat(d + body, size, format)) {
                error = "a WAV file in a format the game cannot play";
                return false;
            }
            formatOk = true;
        } else if (std::memcmp(d + p, "data", 4) == 0) {
            if (!formatOk) break;
            const uint64_t dataBytes = std::min<uint64_t>(size, n - body);
            if (convertedSize(format, dataBytes) > convertedSoundLimit) {
                error =
                    "a sound too long to play: converted for the output it would take more "
                    "than " +
                    describeSize(convertedSoundLimit);
                return false;
            }
            if (dataBytes < size && note != nullptr)
                *note = "the file ends " + std::to_string(dataBytes) + " bytes into the " +
                        std::to_string(size) + " bytes of sound it announces; only those play";
            return true;
        }
        p = body + size + (size & 1u);
    }
    error = formatOk ? "a damaged WAV file (no sound data)" : "a damaged WAV file";
    return false;
}

bool readSoundFile(const std::string& path, std::string& bytes, std::string& error) {
    error.clear();
    return readRegularFile(path, soundFileLimit, bytes, error) && checkWav(bytes, error, &error);
}

bool readSoundFileFor(bool outputOpen, const std::string& path, std::string& bytes,
                      std::string& error) {
    if (!outputOpen) {
        error = "the sound output is not open";
        return false;
    }
    return readSoundFile(path, bytes, error);
}

}  // namespace tiefschacht
