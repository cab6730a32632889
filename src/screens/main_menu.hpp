// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main menu: a new game, the list, leaving, the web site and the manual.

namespace tiefschacht {

class Game;

// One frame of the main menu's rules: the one button under a click acts; then the buttons are laid
// out.
void runMainMenu(Game& game);
void drawMainMenu(const Game& game);

}  // namespace tiefschacht
