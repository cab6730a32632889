// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The jump: its start from the ground and its steps along the jump table.

namespace tiefschacht {

class Game;

// Starting a jump and taking one step of it.
void runJump(Game& game);

}  // namespace tiefschacht
