// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/locate_hero.hpp"
#include "play/play_state.hpp"
#include "play/snapping.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

void locateHero(const Game& game) {
    const float scroll = level.levelOrigin.y;
    const float x = game.hero ? game.hero->position.x : 0.0f;
    play.heroRow = truncToInt((400.0f - scroll) / 2.0f + 1.5f);
    play.heroCol = truncToInt(x / 2.0f + 11.0f);

    // Rows and columns one beyond the grid (or beyond the integer range) read
    // as solid through cellAt; the int64 arithmetic keeps the neighbours of an
    // extreme row or column from overflowing.
    const int64_t row = play.heroRow, col = play.heroCol;
    auto cell = [](int64_t r, int64_t c) {
        if (r < 0 || r >= levelRows || c < 0 || c >= levelColumns) return cellOutside;
        return cellAt(static_cast<int>(r), static_cast<int>(c));
    };
    play.cellHere = cell(row, col);
    play.cellLeft = cell(row, col - 1);
    play.cellRight = cell(row, col + 1);
    play.cellAbove = cell(row + 1, col);
    play.cellBelow = cell(row - 1, col);
    play.cellAboveLeft = cell(row + 1, col - 1);
    play.cellAboveRight = cell(row + 1, col + 1);
}

}  // namespace tiefschacht
