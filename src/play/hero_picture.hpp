// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hero's picture for his state of motion.

namespace tiefschacht {

class Game;

// The hero's picture for his state (two pictures during some jumps).
void drawHeroPicture(const Game& game);

}  // namespace tiefschacht
