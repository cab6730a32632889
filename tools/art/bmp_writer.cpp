// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <memory>

#include "image.hpp"
#include "little_endian.hpp"

namespace tiefschacht {

namespace art {

using little_endian::put16;
using little_endian::put32;

bool writeBmp(const std::string& path, const Image& image) {
    const int w = image.width(), h = image.height();
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * uint32_t(h);
    std::vector<uint8_t> out;
    out.reserve(54 + dataBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, uint32_t(w));
    put32(out, uint32_t(h));  // positive: rows bottom first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, dataBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Rgb c = image.at(x, y);
            out.push_back(uint8_t(c.b));
            out.push_back(uint8_t(c.g));
            out.push_back(uint8_t(c.r));
        }
        for (uint32_t pad = uint32_t(w) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) return false;
    return std::fwrite(out.data(), 1, out.size(), f.get()) == out.size();
}

}  // namespace art

}  // namespace tiefschacht
