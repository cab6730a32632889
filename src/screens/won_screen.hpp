// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The won screen, after the treasure: on to the list.

namespace tiefschacht {

class Game;

// One frame of the won screen's rules: a click on its button leads to the list; then the button is
// laid out.
void runWonScreen(Game& game);
void drawWonScreen(const Game& game);

}  // namespace tiefschacht
