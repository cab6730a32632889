// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "glow.hpp"

#include <numbers>

namespace tiefschacht {

namespace art {
namespace {

constexpr double pi = std::numbers::pi;

// A soft round light of the given radius.
void glow(Image& t, double cx, double cy, double radius, Rgb colour, double strength) {
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d >= 1) continue;
            const double a = strength * (1 - d) * (1 - d);
            t.set(x, y, add(t.at(x, y), scale(colour, a)));
        }
}

}  // namespace

Image waterOverlay(int frame) {
    Image t(32, 32);
    const bool still = frame >= 8;
    const double phase = still ? 0.0 : frame / 8.0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            // Two crossing ripple trains; their periods divide the tile so
            // neighbouring water cells join without a seam.
            const double a =
                std::sin(2 * pi * (x / 32.0 + phase) + 1.5 * std::sin(2 * pi * y / 16.0));
            const double b =
                std::sin(2 * pi * (y / 16.0 - phase) + 1.2 * std::sin(2 * pi * x / 32.0));
            double v = std::pow(std::max(0.0, a * b), 6.0);
            if (still) v *= 0.45;
            if (y < 3)
                v = std::max(v,
                             (still ? 0.25 : 0.35 + 0.15 * std::sin(2 * pi * (x / 16.0 + phase))) *
                                 (3 - y) / 3.0);
            t.set(x, y,
                  {static_cast<int>(70 * v), static_cast<int>(130 * v), static_cast<int>(170 * v)});
        }
    return t;
}

Image wispFrame(int frame) {
    // A ball of cold light half a tile wide with a tail that sways with the
    // frames, in a wide halo, so that it reads at tile size.
    Image t(32, 32);
    const double sway = std::sin(frame * pi / 2);
    const Rgb edge{40, 150, 170}, core{230, 255, 250};
    glow(t, 16, 15, 16, {30, 110, 130}, 0.9);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double ball = std::hypot(x + 0.5 - 16, y + 0.5 - 13) / 7.5;
            const double along =
                (y - 17.0) / 13.0;  // 0 under the ball, 1 at the tail's end, fading
            const double tail = along <= 0 || along >= 1
                                    ? 1.0
                                    : std::max(along, std::abs(x + 0.5 - (16 + 4 * sway * along)) /
                                                          (5.5 * (1 - along)));
            const double d = std::min(ball, tail);
            if (d < 1)
                t.set(x, y, add(t.at(x, y), scale(mix(edge, core, 1 - d), 0.4 + 0.6 * (1 - d))));
        }
    glow(t, 15, 12, 4, {255, 255, 255}, 0.8);
    return t;
}

Image lanternFrame(int frame) {
    Image t(32, 32);
    glow(t, 16, 18, 15, {120, 70, 20}, 0.8 + 0.15 * frame);
    // The lantern's frame and handle in dim iron (little light of its own).
    for (int x = 10; x < 22; ++x) {
        t.set(x, 10, {70, 60, 50});
        t.set(x, 26, {70, 60, 50});
    }
    for (int y = 10; y < 27; ++y) {
        t.set(10, y, {60, 50, 40});
        t.set(21, y, {60, 50, 40});
    }
    for (int y = 4; y < 10; ++y) t.set(16 + (y < 6 ? 3 : 0), y, {80, 70, 60});
    for (int x = 16; x < 20; ++x) t.set(x, 4, {80, 70, 60});
    glow(t, 16, 19, 6, {255, 200, 90}, 1.0);
    glow(t, 16, 20 - frame, 2.5, {255, 255, 220}, 1.0);
    return t;
}

Image flameFrame(int frame) {
    Image t(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            // A teardrop: wide at the bottom, flickering tip leaning to the side.
            const double h = (28.0 - y) / 22.0;
            if (h < 0 || h > 1) continue;
            const double lean = (frame == 0 ? 2.5 : -1.5) * h * h;
            const double halfWidth = 8.0 * std::sqrt(1 - h) * (0.6 + 0.4 * (1 - h)) + 0.5;
            const double dx = std::abs(x + 0.5 - (16 + lean)) / halfWidth;
            if (dx >= 1) continue;
            const double core = (1 - dx) * (1 - h * 0.7);
            const Rgb c = mix({180, 40, 0}, {255, 230, 120}, core);
            t.set(x, y, scale(c, 0.35 + 0.65 * (1 - dx)));
        }
    glow(t, 16, 24, 10, {120, 40, 0}, 0.6);
    return t;
}

}  // namespace art

}  // namespace tiefschacht
