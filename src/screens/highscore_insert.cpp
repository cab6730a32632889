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

namespace {
constexpr size_t nameChars = 14;  // of the 15 in a slot; the 15th stays NUL

int placementIn(const HighscoreTable& table, int score) {
    for (int i = highscoreCount - 1; i >= 0; --i)
        if (table.scores[static_cast<size_t>(i)] > score) return i + 1;
    return 0;
}

// Enters a result where it belongs; the old tenth drops out. A result that
// no longer makes the list (other games entered better ones meanwhile)
// changes nothing.
void enterInto(HighscoreTable& table, int32_t score, const std::array<char, 15>& name) {
    const int place = placementIn(table, score);
    if (place >= highscoreCount) return;
    for (int i = highscoreCount - 2; i >= place; --i) {
        auto from = static_cast<size_t>(i);
        table.scores[from + 1] = table.scores[from];
        std::memcpy(table.names[from + 1].data(), table.names[from].data(), nameChars);
        table.names[from + 1][nameChars] = '\0';
    }
    auto at = static_cast<size_t>(place);
    table.scores[at] = score;
    table.names[at] = name;
}
}  // namespace

int highscorePlacement(int score) { return placementIn(highscoreTable, score); }

std::array<char, 15> entryName(const char* typed, size_t capacity) {
    std::array<char, 15> name{};
    size_t used = 0;
    for (size_t i = 0; typed && i < capacity && i < nameChars && typed[i] != '\0'; ++i) {
        // Names are letters only; anything else would break the list file.
        if (typed[i] >= 'A' && typed[i] <= 'Z') name[used++] = typed[i];
    }
    if (used == 0) std::strncpy(name.data(), unknownPlayerName, nameChars);
    return name;
}

void insertHighscore(Game&) {
    const int32_t score = play.score;
    const std::array<char, 15> name = entryName(input.nameBuffer.data(), input.nameBuffer.size());
    play.score = 0;
    if (app.listInMemoryOnly) {
        enterInto(highscoreTable, score, name);
        return;
    }
    // The entry goes into the list as it is in the file now, which other
    // games may have changed since this one read it.
    saveHighscoreEntry(writtenFile(highscoreFile),
                       [&](HighscoreTable& table) { enterInto(table, score, name); });
}

}  // namespace tiefschacht
