// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "play/play_state.hpp"
#include "screens/highscore_insert.hpp"
#include "services/app_state.hpp"
#include "services/game_paths.hpp"
#include "services/input.hpp"
#include "world/highscore_file.hpp"

namespace tiefschacht {

std::array<char, 15> entryName(const char* typed, size_t capacity) {
    std::array<char, 15> name{};
    size_t used = 0;
    for (size_t i = 0; typed && i < capacity && i < highscoreNameChars && typed[i] != '\0'; ++i) {
        // Names are letters only; anything else would break the list file.
        if (typed[i] >= 'A' && typed[i] <= 'Z') name[used++] = typed[i];
    }
    if (used == 0) std::strncpy(name.data(), unknownPlayerName, highscoreNameChars);
    return name;
}

void insertHighscore(Game&) {
    const int32_t score = play.score;
    const std::array<char, 15> name = entryName(input.nameBuffer.data(), input.nameBuffer.size());
    play.score = 0;
    if (app.listInMemoryOnly) {
        enterResult(highscoreTable, score, name);
        return;
    }
    // The entry goes into the list as it is in the file now, which other
    // games may have changed since this one read it. When another game keeps
    // the list busy, the screen says that the entry waits beside it.
    play.entryWaiting =
        saveHighscoreEntry(writtenFile(highscoreFile), score, name) == EntryOutcome::KeptAside;
}

}  // namespace tiefschacht
