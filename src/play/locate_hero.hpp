// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the hero stands on the tile grid.

namespace tiefschacht {

class Game;

// The hero's row and column and the seven cells around him.
void locateHero(const Game& game);

}  // namespace tiefschacht
