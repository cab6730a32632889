// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The highscore list's file: ten entries, each a name token and a score in
// decimal, one entry per line as the game writes it. Several games may run
// at once, so an entry is made under a lock on the file as it is then, never
// on the list read at start-up.
#include <array>
#include <cstdint>
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

// Reads ten entries: a name token (cut to 14 characters, or at a NUL byte,
// which counts as damage) and a score token each. A score token is read whole, as its leading
// decimal number (0 when it has none) held to the 32-bit range, so a damaged score never shifts the
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

// The place a score takes in the table (0 the best, 10 when it does not get
// in): below every entry that is higher, above an equal one.
int highscorePlacement(const HighscoreTable& table, int32_t score);

// Enters a result where it belongs; the old tenth drops out. A result that
// does not make the list changes nothing.
void enterResult(HighscoreTable& table, int32_t score, const std::array<char, 15>& name);

enum class EntryOutcome { Saved, KeptAside, Failed };

// Enters a result into the list file at `path`: under an advisory lock on
// `path`.lock, the file is read afresh, the result and every entry kept
// beside the list (kept_entries.hpp) are entered into that table, a damaged
// file is kept beside it (`path`.beschaedigt), the table replaces the file
// by a rename (see replaceFile), and what killed writes left beside it is
// removed. highscoreTable becomes the table entered into, saved or not, so
// the player sees the entry either way.
//
// KeptAside: another game held the lock for longer than half a second; the
// entry is written beside the list to be entered later, and a warning says
// so. Failed: the list is a symbolic link, a file the game may not write, or
// one that cannot be read, or the lock cannot be had at all; then, as for
// any failure, the message names the file and the reason on stderr and the
// program's exit code becomes 1.
EntryOutcome saveHighscoreEntry(const std::string& path, int32_t score,
                                const std::array<char, 15>& name);

// Enters the entries kept beside the list at `path`, when there are any and
// its lock can be had; readHighscores does this before it reads.
void enterKeptEntries(const std::string& path);

// Gives `own` a copy of the list `shipped` when it has no list yet (the
// first start with a player's folder). False with the reason in `error`.
bool copyHighscoreList(const std::string& shipped, const std::string& own, std::string& error);

}  // namespace tiefschacht
