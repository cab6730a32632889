// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The new-game reset of "Spiel starten".

namespace tiefschacht {

class Game;

// Stops the title music, sets score, lives and keys back, reads the level
// and the enemies afresh and puts the hero back at the top.
void startNewGame(Game& game);

}  // namespace tiefschacht
