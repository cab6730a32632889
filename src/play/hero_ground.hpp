// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hero on the ground, on ladders and in water: everything one play frame
// does with him when he is not in a jump.

namespace tiefschacht {

class Game;

// Water, corrections of last frame's motion, keys, falling and moving.
void runGroundBlock(Game& game);

}  // namespace tiefschacht
