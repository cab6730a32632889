// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.hpp"

#include <algorithm>
#include <cmath>

#include "image.hpp"

namespace tiefschacht {

namespace art {
namespace {

// Coordinates in units of the 64 x 64 drawing (the SVG's view box).
constexpr double badgeMin = 2, badgeMax = 62, badgeRadius = 12;
constexpr double horizon = 38;

// How far (x, y) lies inside the badge's rounded square (negative outside).
double insideBadge(double x, double y) {
    const double cx = std::clamp(x, badgeMin + badgeRadius, badgeMax - badgeRadius);
    const double cy = std::clamp(y, badgeMin + badgeRadius, badgeMax - badgeRadius);
    return badgeRadius - std::hypot(x - cx, y - cy);
}

bool inRect(double x, double y, double x0, double y0, double x1, double y1) {
    return x >= x0 && x < x1 && y >= y0 && y < y1;
}

// The drawing's colour at (x, y) inside the badge, back to front.
Rgb colourAt(double x, double y) {
    const Rgb wood{150, 100, 56}, woodDark{96, 62, 34}, iron{60, 60, 66};
    Rgb c = y < horizon ? mix({30, 38, 86}, {214, 126, 84}, y / horizon)  // dusk sky
                        : mix({96, 62, 38}, {58, 38, 24}, (y - horizon) / (badgeMax - horizon));
    if (inRect(x, y, badgeMin, horizon, badgeMax, horizon + 3)) c = {74, 150, 56};  // grass
    if (inRect(x, y, 19, horizon, 45, badgeMax)) c = {124, 118, 108};  // the shaft's stone rim
    if (inRect(x, y, 22, horizon + 1, 42, badgeMax)) {
        c = mix({40, 30, 24}, {8, 6, 6}, (y - horizon) / 12.0);  // the dark shaft
        const bool rail = inRect(x, y, 25, 0, 27, 99) || inRect(x, y, 37, 0, 39, 99);
        const bool rung = inRect(x, y, 25, 0, 39, 99) && std::fmod(y - horizon, 6.0) >= 4;
        if (rail || rung) c = mix(wood, {8, 6, 6}, (y - horizon) / 30.0);
    }
    // The headframe: two posts and a beam over the shaft.
    for (double post : {16.0, 44.0}) {
        if (inRect(x, y, post, 14, post + 4, horizon)) c = x < post + 2 ? wood : woodDark;
    }
    if (inRect(x, y, 13, 10, 51, 15)) c = y < 12 ? mix(wood, {255, 255, 255}, 0.25) : wood;
    // The lantern on its rope, with its light on everything around it.
    const double glow = std::max(0.0, 1 - std::hypot(x - 32, y - 26) / 18);
    c = clampRgb(add(c, scale({255, 180, 70}, 0.55 * glow * glow)));
    if (inRect(x, y, 31, 15, 33, 20)) c = iron;
    if (inRect(x, y, 27, 20, 37, 32)) c = iron;
    if (inRect(x, y, 28.5, 22, 35.5, 30)) c = {255, 206, 84};
    if (inRect(x, y, 30, 23.5, 34, 28.5)) c = {255, 250, 210};
    // A dark rim keeps the badge apart from any desktop.
    if (insideBadge(x, y) < 1.5) c = {24, 18, 26};
    return c;
}

}  // namespace

DecodedImage iconPicture(int size) {
    // Four by four samples per pixel smooth the edges at small sizes.
    constexpr int samples = 4;
    DecodedImage out;
    out.width = out.height = size;
    out.argb.resize(static_cast<size_t>(size) * size);
    const double unit = 64.0 / size;
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (px + (sx + 0.5) / samples) * unit,
                                 y = (py + (sy + 0.5) / samples) * unit;
                    if (insideBadge(x, y) < 0) continue;
                    const Rgb c = colourAt(x, y);
                    r += c.r, g += c.g, b += c.b, covered += 1;
                }
            uint32_t pixel = 0;
            if (covered > 0) {
                const auto channel = [&](double sum) {
                    return static_cast<uint32_t>(std::lround(sum / covered));
                };
                const uint32_t alpha =
                    static_cast<uint32_t>(std::lround(255 * covered / (samples * samples)));
                pixel = alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
            }
            out.argb[static_cast<size_t>(py) * size + px] = pixel;
        }
    return out;
}

}  // namespace art

}  // namespace tiefschacht
