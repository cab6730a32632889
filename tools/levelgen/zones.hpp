// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level's four depth zones and the cell codes each map symbol stands for
// in them. Shared by the level generator and the level checker.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tiefschacht {

namespace levelsource {

enum class Zone { Waldrand = 0, Eulenhoehle = 1, Gruft = 2, Vampirgewoelbe = 3 };

// Rows 384-399 surface, 202-383 cave, 102-201 crypt, 0-101 vault.
inline Zone zoneOfRow(int row) {
    if (row >= 384) return Zone::Waldrand;
    if (row >= 202) return Zone::Eulenhoehle;
    if (row >= 102) return Zone::Gruft;
    return Zone::Vampirgewoelbe;
}

// Per-zone codes, indexed by zone.
struct ZoneCodes {
    int32_t background, decoration, wall, wallVariant, ladder;
    int32_t coin, gem, key, heart, lever;
};

inline constexpr std::array<ZoneCodes, 4> zoneCodes = {{
    {5, 13, 67, 66, 44, 23, 24, 25, 26, 27},
    {7, 10, 69, 73, 45, 28, 29, 30, 31, 32},
    {8, 11, 71, 74, 46, 33, 34, 35, 36, 37},
    {9, 12, 72, 75, 47, 38, 39, 40, 41, 42},
}};

inline constexpr int32_t codeSky = 6;
inline constexpr int32_t codeBorderStone = 70;
inline constexpr int32_t codeTreasure = 43;

// The cell code of a map symbol in a row, or nothing for an unknown symbol.
inline std::optional<int32_t> codeOfSymbol(char symbol, int row) {
    const ZoneCodes& z = zoneCodes[static_cast<int>(zoneOfRow(row))];
    switch (symbol) {
    case '.': return z.background;
    case ':': return z.decoration;
    case '#': return z.wall;
    case '%': return z.wallVariant;
    case 'H': return z.ladder;
    case 'o': return z.coin;
    case '*': return z.gem;
    case 'k': return z.key;
    case '+': return z.heart;
    case 'L': return z.lever;
    case '^': return codeSky;
    case 'X': return codeBorderStone;
    case '~': return 2;
    case 'w': return 3;
    case '_': return 4;
    case 'C': return 22;
    case 'D': return 68;
    case 'G': return 88;
    case '$': return codeTreasure;
    default: return std::nullopt;
    }
}

}  // namespace levelsource

}  // namespace tiefschacht
