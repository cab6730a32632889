// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture in memory (0xRRGGBB per pixel, rows top first), its colour
// helpers and the BMP writer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tiefschacht {

namespace art {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

inline Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
            static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
            static_cast<int>(std::lround(a.b + (b.b - a.b) * t))};
}
inline Rgb scale(Rgb c, double f) {
    return {static_cast<int>(std::lround(c.r * f)), static_cast<int>(std::lround(c.g * f)),
            static_cast<int>(std::lround(c.b * f))};
}
inline Rgb add(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb clampRgb(Rgb c) {
    return {std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255)};
}
inline bool isKeyBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }

class Image {
public:
    Image(int width, int height, Rgb fill = {})
        : w_(width), h_(height), px_(size_t(width) * height, fill) {}
    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgb at(int x, int y) const { return px_[size_t(y) * w_ + x]; }
    void set(int x, int y, Rgb c) {
        if (inside(x, y)) px_[size_t(y) * w_ + x] = clampRgb(c);
    }
    // Mixes c into the pixel with coverage a (0..1).
    void blend(int x, int y, Rgb c, double a) {
        if (inside(x, y)) set(x, y, mix(at(x, y), c, a));
    }
    void fillRect(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) set(x, y, c);
    }
    // Copies `src` with its top-left corner at (x, y); key-black pixels of
    // `src` are skipped so what lies below shows through.
    void paste(const Image& src, int x, int y, bool skipBlack) {
        for (int sy = 0; sy < src.height(); ++sy)
            for (int sx = 0; sx < src.width(); ++sx) {
                const Rgb c = src.at(sx, sy);
                if (skipBlack && isKeyBlack(c)) continue;
                set(x + sx, y + sy, c);
            }
    }
    // Every pure black pixel becomes (1, 1, 1): for pictures that must be
    // fully opaque under the game's colour key.
    void makeOpaque() {
        for (Rgb& c : px_)
            if (isKeyBlack(c)) c = {1, 1, 1};
    }
    Image mirrored() const {
        Image m(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) m.set(w_ - 1 - x, y, at(x, y));
        return m;
    }
    Image scaledUp(int factor) const {
        Image m(w_ * factor, h_ * factor);
        for (int y = 0; y < m.height(); ++y)
            for (int x = 0; x < m.width(); ++x) m.set(x, y, at(x / factor, y / factor));
        return m;
    }

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// Writes a 24-bit uncompressed BMP. False when the file cannot be written.
bool writeBmp(const std::string& path, const Image& image);

// Deterministic value noise in [0, 1) from integer coordinates and a seed.
inline double hashNoise(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

// Smooth noise that repeats every `period` pixels in x and y (so tiles join).
inline double tiledNoise(double x, double y, int period, int cells, int seed) {
    const double cx = x * cells / period, cy = y * cells / period;
    const int x0 = static_cast<int>(std::floor(cx)), y0 = static_cast<int>(std::floor(cy));
    const double fx = cx - x0, fy = cy - y0;
    auto v = [&](int ix, int iy) {
        return hashNoise(((ix % cells) + cells) % cells, ((iy % cells) + cells) % cells, seed);
    };
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = v(x0, y0) + (v(x0 + 1, y0) - v(x0, y0)) * sx;
    const double b = v(x0, y0 + 1) + (v(x0 + 1, y0 + 1) - v(x0, y0 + 1)) * sx;
    return a + (b - a) * sy;
}

}  // namespace art

}  // namespace tiefschacht
