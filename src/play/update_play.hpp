// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One frame of play, and the moves of the level and the hero that the play
// rules make.

namespace tiefschacht {

class Game;

// One frame of play: sounds, animation, hero, items, enemies, contact, dying.
// Draws nothing (drawPlay shows the result).
void updatePlay(Game& game);
// Moves the level and every enemy slot by dy (positive: the hero goes down).
void scrollWorld(Game& game, float dy);
void moveHeroX(Game& game, float dx);

}  // namespace tiefschacht
