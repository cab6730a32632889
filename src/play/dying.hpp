// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dying sequence after an enemy's touch: lives, the game's end and the
// way back to a checkpoint.

namespace tiefschacht {

class Game;

// One frame of the dying sequence: at its end a life is taken (the last one
// ends the game) and the hero put back on a checkpoint.
void runDying(Game& game);

}  // namespace tiefschacht
