// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level: 400 rows x 22 columns of cell codes, and its place in the world.
#include <array>
#include <cstdint>

#include "platform/math3d.hpp"

namespace tiefschacht {

inline constexpr const char* levelFile = "Data/Level1.txt";

constexpr int levelRows = 400;
constexpr int levelColumns = 22;

// Cell codes with a role in play.
constexpr int32_t cellWater = 2;
constexpr int32_t cellStillWater = 3;
constexpr int32_t cellOpened = 4;
constexpr int32_t cellCheckpoint = 22;
constexpr int32_t cellDoor = 68;
constexpr int32_t cellGate = 88;
// Code read for a cell outside the grid: solid.
constexpr int32_t cellOutside = 66;

inline bool isItem(int32_t c) { return c > 22 && c < 44; }
inline bool isLadder(int32_t c) { return c > 43 && c < 66; }
inline bool isSolid(int32_t c) { return c > 65; }
inline bool isWater(int32_t c) { return c == cellWater || c == cellStillWater; }
// Only ladders and solid cells carry the hero; he falls through the rest.
inline bool carriesHero(int32_t c) { return isLadder(c) || isSolid(c); }

struct LevelState {
    // tileGrid[row][column]; row 0 is the bottom, row 399 the top.
    std::array<std::array<int32_t, levelColumns>, levelRows> tileGrid{};
    Vec3 levelOrigin{0.0f, 0.0f, 40.0f};
};

extern LevelState level;

// The cell at (row, column); outside the grid it reads as solid.
inline int32_t cellAt(int row, int column) {
    if (row < 0 || row >= levelRows || column < 0 || column >= levelColumns) return cellOutside;
    return level.tileGrid[row][column];
}
// Writes a cell; outside the grid nothing is written.
inline void setCell(int row, int column, int32_t code) {
    if (row < 0 || row >= levelRows || column < 0 || column >= levelColumns) return;
    level.tileGrid[row][column] = code;
}

// Reads a level file into the grid and sets levelOrigin.y to -380.
void readLevel(const char* path);

}  // namespace tiefschacht
