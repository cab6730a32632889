// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list of the ten best results, with the name entry for a score that
// makes the list.

namespace tiefschacht {

class Game;

// One frame of the list's rules: a qualifying score is entered with Enter or
// with "OK", which also leads back to the main menu; then "OK" is laid out.
void runHighscoreScreen(Game& game);
void drawHighscoreScreen(const Game& game);

}  // namespace tiefschacht
