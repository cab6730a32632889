// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

class Game;

// One frame of play: sounds, animation, hero, items, enemies, contact, drawing.
void updatePlay(Game& game);
// Moves the level and every enemy slot by dy (positive: the hero goes down).
void scrollWorld(Game& game, float dy);
void moveHeroX(Game& game, float dx);
// One frame of the dying sequence; ends by drawing the play screen.
void runDying(Game& game);

}  // namespace tiefschacht
