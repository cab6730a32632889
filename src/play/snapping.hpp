// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alignments of the hero to row and column centres, and the parity test
// that tells where climbing and swimming stop. The hero's row is centred when
// the scroll is an even whole number, his column when x is an odd one.
#include <cstdint>

namespace tiefschacht {

class Game;

// Scroll to the nearest even whole number; odd whole numbers go away from zero.
void snapToRowCentre(Game& game);
// Scroll down to the even whole number at or below trunc(scroll).
void stepUpSnap(Game& game);
// Hero x to the centre of his column (for 0 <= x < 1 that is -1).
void snapToColumnCentre(Game& game);

bool atUpperStop(float scroll);
bool atLowerStop(float scroll);

}  // namespace tiefschacht
