// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title screen: "Spielen", the web site and the manual.

namespace tiefschacht {

class Game;

// One frame of the title's rules: the buttons under a held mouse button act; then the buttons are
// laid out for the next frame's hit tests.
void runTitleScreen(Game& game);
void drawTitleScreen(const Game& game);

}  // namespace tiefschacht
