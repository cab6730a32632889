// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes short 16-bit PCM WAV files for the sound tests.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tiefschacht {

inline void writeTestWav(const std::string& path, const std::vector<int16_t>& samples,
                         int rate = 44100, int channels = 1) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](uint16_t v) {
        out.put(static_cast<char>(v & 0xFF));
        out.put(static_cast<char>(v >> 8));
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(channels));
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate * channels * 2));
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (int16_t s : samples) u16(static_cast<uint16_t>(s));
}

// A constant level: mixing n of them gives n times the level exactly.
inline std::vector<int16_t> steadyLevel(int16_t level, int count) {
    return std::vector<int16_t>(static_cast<size_t>(count), level);
}

}  // namespace tiefschacht
