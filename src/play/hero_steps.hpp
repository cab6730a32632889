// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// The steps of one play frame that move the hero, in the order updatePlay
// runs them. Each sees the results of the ones before.
class Game;

// Random background sounds by depth; a number is drawn only for a band the
// scroll lies in.
void playAmbientSounds();
// Footsteps, climbing and swimming strokes from the previous frame's motion.
void playMovementSounds();
// The hero's row and column and the seven cells around him.
void locateHero(const Game& game);
// Water, corrections of last frame's motion, keys, falling and moving.
void runGroundBlock(Game& game);
// Starting a jump and taking one step of it.
void runJump(Game& game);

}  // namespace tiefschacht
