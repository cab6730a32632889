// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdio>
#include <memory>

#include "little_endian.hpp"
#include "synth.hpp"

namespace tiefschacht {

namespace synth {

using little_endian::put16;
using little_endian::put32;

bool writeWav(const std::string& path, const Buffer& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    for (char c : {'R', 'I', 'F', 'F'}) out.push_back(c);
    put32(out, 36 + dataBytes);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(c);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, sampleRate);
    put32(out, sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    for (char c : {'d', 'a', 't', 'a'}) out.push_back(c);
    put32(out, dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) return false;
    return std::fwrite(out.data(), 1, out.size(), f.get()) == out.size();
}

}  // namespace synth

}  // namespace tiefschacht
