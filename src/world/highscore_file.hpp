// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The highscore list's file: ten entries, each a name token and a score in
// decimal, one entry per line as the game writes it. Several games may run
// at once, so an entry is made under a lock on the file as it is then, never
// on the list read at start-up.
#include <functional>
#include <string>

#include "services/token_reader.hpp"
#include "world/data_tables.hpp"

namespace tiefschacht {

// What a list file reads as. `damage` says what is wrong when the file is
// not ten clean name-and-score pairs (empty when it is): a score that is not
// a whole number or lies outside the 32-bit range, entries missing, or text
// after the tenth entry.
struct HighscoreReading {
    HighscoreTable table;
    std::string damage;
};

// Reads ten entries: a name token (cut to 14 characters) and a score token
// each. A score token is read whole, as its leading decimal number (0 when it
// has none) held to the 32-bit range, so a damaged score never shifts the
// entries after it.
HighscoreReading parseHighscores(TokenReader& reader);

// The file's text for a table: "NAME SCORE\n" ten times. A name the format
// cannot carry (empty, or with a blank) is written so that it reads back in
// its place.
std::string highscoreText(const HighscoreTable& table);

// Reads the list into highscoreTable at start-up. A file that cannot be
// opened ends the program (after shut-down) with a message; a damaged one is
// read as far as it goes and reported on stderr, and stays as it is until an
// entry is saved.
void readHighscores(const char* path);

using HighscoreInsert = std::function<void(HighscoreTable&)>;

// Enters a result into the list file at `path`: under an advisory lock on
// `path`.lock, the file is read afresh, `insert` enters the result into that
// table, a damaged file is kept beside it (`path`.beschaedigt), and the table
// replaces the file by a rename (see replaceFile). highscoreTable becomes the
// table entered into, saved or not, so the player sees the entry either way.
// The list is not saved when it is a symbolic link or a file the game may not
// write, nor when it cannot be read; then, as for any failure, the message
// names the file and the reason on stderr, the program's exit code becomes
// 1, and false is returned.
bool saveHighscoreEntry(const std::string& path, const HighscoreInsert& insert);

// Gives `own` a copy of the list `shipped` when it has no list yet (the
// first start with a player's folder). False with the reason in `error`.
bool copyHighscoreList(const std::string& shipped, const std::string& own, std::string& error);

}  // namespace tiefschacht
