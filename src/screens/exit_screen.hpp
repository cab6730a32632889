// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exit screen: the web site, or closing the game.

namespace tiefschacht {

class Game;

// One frame of the exit screen's rules: the buttons under a held mouse button act; then the buttons
// are laid out.
void runExitScreen(Game& game);
void drawExitScreen(const Game& game);

}  // namespace tiefschacht
