// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_font.hpp"

#include <array>

namespace tiefschacht {

namespace art {
namespace {

struct Glyph {
    char c;
    std::array<const char*, 8> rows;
};

constexpr std::array<Glyph, 22> glyphs = {{
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "....."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###.", "....."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####.", "....."}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####.", "....."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####", "....."}},
    {'c', {".....", ".....", ".###.", "#....", "#....", "#....", ".###.", "....."}},
    {'d', {"....#", "....#", ".####", "#...#", "#...#", "#...#", ".####", "....."}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", "....."}},
    {'f', {"..##.", ".#...", ".#...", "###..", ".#...", ".#...", ".#...", "....."}},
    {'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#", "....."}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", "....."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", "....."}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", "....."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", "....."}},
    {'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", "....."}},
    {'t', {".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##.", "....."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", "....."}},
    {'w', {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#.", "....."}},
    {'z', {".....", ".....", "#####", "...#.", "..#..", ".#...", "#####", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#..", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#..", "....."}},
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", ".....", "....."}},
}};

const Glyph* find(char c) {
    for (const Glyph& g : glyphs)
        if (g.c == c) return &g;
    return nullptr;
}

bool on(const Glyph& g, int x, int y) {
    return x >= 0 && x < 5 && y >= 0 && y < 8 && g.rows[y][x] == '#';
}

}  // namespace

int lettersWidth(std::string_view text, int cell) {
    return static_cast<int>(text.size()) * 6 * cell - cell;
}

void drawLetters(Image& image, std::string_view text, int x, int y, int cell, Rgb top, Rgb bottom) {
    const int outline = std::max(2, cell / 4);
    for (int pass = 0; pass < 3; ++pass) {  // shadow, outline, fill
        int penX = x;
        for (char c : text) {
            const Glyph* g = find(c);
            if (g) {
                for (int gy = 0; gy < 8; ++gy)
                    for (int gx = 0; gx < 5; ++gx) {
                        if (!on(*g, gx, gy)) continue;
                        const int x0 = penX + gx * cell, y0 = y + gy * cell;
                        if (pass == 0) {
                            image.fillRect(x0 + cell / 2, y0 + cell / 2, x0 + cell + cell / 2,
                                           y0 + cell + cell / 2, {8, 6, 10});
                        } else if (pass == 1) {
                            image.fillRect(x0 - outline, y0 - outline, x0 + cell + outline,
                                           y0 + cell + outline, {24, 18, 14});
                        } else {
                            for (int py = y0; py < y0 + cell; ++py)
                                for (int px = x0; px < x0 + cell; ++px) {
                                    const double v = (py - y) / (8.0 * cell);
                                    Rgb col = mix(top, bottom, v);
                                    // A bevel on every block: light upper left, dark lower right.
                                    if (px - x0 < 2 || py - y0 < 2)
                                        col = mix(col, {255, 255, 255}, 0.25);
                                    if (x0 + cell - px <= 2 || y0 + cell - py <= 2)
                                        col = mix(col, {1, 1, 1}, 0.25);
                                    image.set(px, py, col);
                                }
                        }
                    }
            }
            penX += 6 * cell;
        }
    }
}

}  // namespace art

}  // namespace tiefschacht
