// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entering a finished game's score and typed name into the list.
#include <array>
#include <cstddef>

namespace tiefschacht {

class Game;

// Stored for an entry made before any letter was typed, so that the list
// file (one name token and one number per line) stays readable.
constexpr const char* unknownPlayerName = "UNBEKANNT";

// Enters score and name into the list file as it is now (see
// saveHighscoreEntry) and into the list shown, and clears score.
void insertHighscore(Game& game);

// The name a new entry gets from the typed name: its capital letters, at
// most 14; UNBEKANNT when there are none.
std::array<char, 15> entryName(const char* typed, size_t capacity);

}  // namespace tiefschacht
