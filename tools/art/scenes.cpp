// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes.hpp"

#include "pixel_font.hpp"

namespace tiefschacht {

namespace art {
namespace {

// The game shows these pictures on a square quad that spans the screen's
// width, so a picture is stretched to a square and its top and bottom eighth
// are cut off. The scenes are therefore drawn on a square canvas, with what
// matters between y = 128 and 896, and squeezed to 1024 x 768 at the end.
constexpr int width = 1024, height = 1024;

Image squeezeToScreen(const Image& square) {
    Image out(width, 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < width; ++x) {
            // Each output row averages the 4/3 canvas rows it stands for.
            const double y0 = y * 4.0 / 3.0, y1 = (y + 1) * 4.0 / 3.0;
            double r = 0, g = 0, b = 0, total = 0;
            for (int sy = static_cast<int>(y0); sy < y1 && sy < height; ++sy) {
                const double w = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                const Rgb c = square.at(x, sy);
                r += c.r * w, g += c.g * w, b += c.b * w, total += w;
            }
            out.set(
                x, y,
                {static_cast<int>(std::lround(r / total)), static_cast<int>(std::lround(g / total)),
                 static_cast<int>(std::lround(b / total))});
        }
    out.makeOpaque();
    return out;
}

void fillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c) {
    for (int y = static_cast<int>(cy - ry); y <= cy + ry; ++y)
        for (int x = static_cast<int>(cx - rx); x <= cx + rx; ++x) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            if (dx * dx + dy * dy <= 1) img.set(x, y, c);
        }
}

void pine(Image& img, int cx, int baseY, int h, Rgb c) {
    const int w = h / 3;
    img.fillRect(cx - 4, baseY - h / 8, cx + 4, baseY, scale(c, 0.8));
    for (int tier = 0; tier < 4; ++tier) {
        const int top = baseY - h + tier * h / 5, bottom = top + h / 3 + tier * h / 12;
        for (int y = top; y < bottom && y < baseY - h / 10; ++y) {
            const double t = (y - top) / double(bottom - top);
            const int half = static_cast<int>(w * (0.35 + 0.65 * (tier + 1) / 4.0) * t);
            img.fillRect(cx - half, y, cx + half + 1, y + 1, c);
        }
    }
}

void stars(Image& img, int maxY, int seed) {
    for (int i = 0; i < 140; ++i) {
        const int x = static_cast<int>(hashNoise(i, 1, seed) * width),
                  y = static_cast<int>(hashNoise(i, 2, seed) * maxY);
        const double b = 0.4 + 0.6 * hashNoise(i, 3, seed) * (1 - y / double(maxY));
        img.blend(x, y, {255, 250, 230}, b);
        if (hashNoise(i, 4, seed) < 0.15) {
            img.blend(x + 1, y, {255, 250, 230}, b * 0.5);
            img.blend(x - 1, y, {255, 250, 230}, b * 0.5);
            img.blend(x, y + 1, {255, 250, 230}, b * 0.5);
            img.blend(x, y - 1, {255, 250, 230}, b * 0.5);
        }
    }
}

}  // namespace

Image titlePicture() {
    Image img(width, height);
    const int horizon = 640;
    for (int y = 0; y < height; ++y) {
        const double t = y / double(horizon);
        const Rgb sky = t < 0.6 ? mix({14, 16, 46}, {86, 48, 92}, t / 0.6)
                                : mix({86, 48, 92}, {236, 122, 70}, (t - 0.6) / 0.4);
        img.fillRect(0, y, width, y + 1, sky);
    }
    stars(img, 420, 5);
    // The setting sun behind the far hills.
    for (int y = 480; y < horizon; ++y)
        for (int x = 370; x < 660; ++x) {
            const double d = std::hypot(x - 512.0, y - 625.0);
            if (d < 70)
                img.set(x, y, mix({255, 214, 120}, {250, 150, 80}, d / 70));
            else if (d < 140)
                img.blend(x, y, {255, 170, 90}, 0.35 * (1 - (d - 70) / 70));
        }
    // Far hills and the forest's edge, leaving a clearing in the middle.
    for (int x = 0; x < width; ++x) {
        const int hill =
            horizon - 40 - static_cast<int>(30 * std::sin(x / 150.0) + 18 * std::sin(x / 53.0 + 1));
        img.fillRect(x, hill, x + 1, horizon + 40, {58, 36, 64});
    }
    for (int i = 0; i < 28; ++i) {
        const double u = hashNoise(i, 9, 3);
        int x = static_cast<int>(u * 360);
        if (i % 2) x = width - x;
        pine(img, x, horizon + 40 + static_cast<int>(hashNoise(i, 10, 3) * 30),
             180 + static_cast<int>(hashNoise(i, 11, 3) * 160),
             {18 + i % 3 * 3, 30 + i % 4 * 3, 30});
    }
    // The clearing: grass catching the last light.
    for (int y = horizon + 30; y < height; ++y) {
        const double t = (y - horizon - 30) / double(height - horizon - 30);
        for (int x = 0; x < width; ++x) {
            const double n = hashNoise(x / 3, y / 2, 17);
            img.set(x, y,
                    mix(mix({52, 84, 44}, {24, 44, 26}, t), {80, 110, 50}, n * 0.25 * (1 - t)));
        }
    }
    for (int i = 0; i < 600; ++i) {  // grass blades
        const int x = static_cast<int>(hashNoise(i, 20, 4) * width),
                  y = horizon + 40 + static_cast<int>(hashNoise(i, 21, 4) * 300);
        for (int k = 0; k < 6; ++k) img.set(x + (k > 3), y - k, {70, 120, 56});
    }
    // The shaft's mouth: a ring of stones around a black-blue pit, and a
    // wooden windlass with its rope running down into the dark.
    const double cx = 512, cy = 790;
    fillEllipse(img, cx, cy + 6, 190, 62, {28, 24, 22});
    for (int i = 0; i < 36; ++i) {
        const double a = i * 2 * 3.14159265 / 36;
        const double sx = cx + 172 * std::cos(a), sy = cy + 52 * std::sin(a);
        const Rgb stone = mix({118, 112, 104}, {160, 150, 136}, hashNoise(i, 1, 8));
        fillEllipse(img, sx, sy, 22, 13, scale(stone, 0.6));
        fillEllipse(img, sx - 2, sy - 2, 19, 10, stone);
    }
    fillEllipse(img, cx, cy, 150, 40, {6, 6, 14});
    fillEllipse(img, cx, cy + 8, 120, 28, {2, 2, 6});
    img.fillRect(360, 560, 374, 800, {92, 60, 32});
    img.fillRect(650, 560, 664, 800, {92, 60, 32});
    img.fillRect(360, 560, 364, 800, {130, 90, 52});
    img.fillRect(650, 560, 654, 800, {130, 90, 52});
    img.fillRect(350, 580, 674, 596, {110, 74, 40});
    img.fillRect(350, 580, 674, 584, {150, 106, 62});
    img.fillRect(496, 574, 528, 602, {80, 52, 28});
    img.fillRect(510, 602, 514, 790, {190, 170, 120});
    img.fillRect(498, 700, 526, 720, {96, 70, 40});  // the bucket
    img.fillRect(498, 700, 526, 703, {140, 110, 70});
    // A lantern left at the edge, glowing.
    img.fillRect(720, 760, 734, 778, {255, 210, 110});
    img.fillRect(718, 756, 736, 760, {60, 56, 52});
    for (int y = 690; y < 850; ++y)
        for (int x = 650; x < 810; ++x) {
            const double d = std::hypot(x - 727.0, y - 769.0);
            if (d > 12 && d < 80) img.blend(x, y, {255, 190, 90}, 0.3 * (1 - d / 80));
        }
    // The name.
    const int cell = 14;
    drawLetters(img, "Tiefschacht", (width - lettersWidth("Tiefschacht", cell)) / 2, 190, cell,
                {250, 226, 150}, {170, 110, 50});
    img.makeOpaque();
    return squeezeToScreen(img);
}

Image wonPicture(const Image& hero16, const Image& treasure16) {
    Image img(width, height);
    // The vault: dark red brick lit by the gold.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int row = y / 24, offset = (row % 2) * 24;
            const bool joint = y % 24 < 2 || (x + offset) % 48 < 2;
            const double n = hashNoise((x + offset) / 48, row, 31);
            const Rgb brick = mix({70, 24, 22}, {104, 36, 30}, n);
            img.set(x, y, joint ? Rgb{30, 12, 12} : brick);
        }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double d = std::hypot(x - 560.0, (y - 700.0) * 1.3);
            if (d < 520) img.blend(x, y, {255, 190, 80}, 0.45 * (1 - d / 520) * (1 - d / 520));
        }
    // Floor, heaps of gold and the treasure chest, the hero beside it.
    img.fillRect(0, 800, width, height, {50, 30, 26});
    for (int i = 0; i < 900; ++i) {
        const double u = hashNoise(i, 1, 44), v = hashNoise(i, 2, 44);
        const int x = static_cast<int>(420 + (u - 0.5) * 560 * (1 - v * 0.6)),
                  y = static_cast<int>(800 - v * 90 + hashNoise(i, 3, 44) * 20);
        fillEllipse(img, x, y, 7, 4, mix({200, 150, 40}, {255, 226, 110}, hashNoise(i, 4, 44)));
    }
    img.paste(treasure16.scaledUp(14), 500 - 112, 580, true);
    img.paste(hero16.scaledUp(14), 640, 580, true);
    // Chains hanging from the vault's ceiling.
    for (int chain : {120, 900}) {
        for (int y = 0; y < 500; y += 18) {
            img.fillRect(chain - 5, y, chain + 5, y + 12, {140, 140, 150});
            img.fillRect(chain - 2, y + 3, chain + 2, y + 9, {40, 30, 30});
        }
    }
    const int cell = 16;
    drawLetters(img, "Gewonnen!", (width - lettersWidth("Gewonnen!", cell)) / 2, 190, cell,
                {255, 236, 140}, {200, 130, 30});
    const int small = 5;
    drawLetters(img, "Der Schatz ist dein.",
                (width - lettersWidth("Der Schatz ist dein.", small)) / 2, 360, small,
                {240, 230, 210}, {190, 170, 150});
    img.makeOpaque();
    return squeezeToScreen(img);
}

}  // namespace art

}  // namespace tiefschacht
