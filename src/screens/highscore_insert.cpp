#include <cstring>

#include "play/play_state.hpp"
#include "screens/highscore_screen.hpp"
#include "services/input.hpp"
#include "world/data_tables.hpp"

namespace {
constexpr size_t nameChars = 14;  // of the 15 in a slot; the 15th stays NUL
}

int highscorePlacement(int score) {
    for (int i = highscoreCount - 1; i >= 0; --i)
        if (highscoreTable.scores[static_cast<size_t>(i)] > score) return i + 1;
    return 0;
}

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
    const int place = highscorePlacement(score);
    if (place < highscoreCount) {
        // Make room: the old tenth drops out.
        for (int i = highscoreCount - 2; i >= place; --i) {
            auto from = static_cast<size_t>(i);
            highscoreTable.scores[from + 1] = highscoreTable.scores[from];
            std::memcpy(highscoreTable.names[from + 1].data(), highscoreTable.names[from].data(),
                        nameChars);
            highscoreTable.names[from + 1][nameChars] = '\0';
        }
        auto at = static_cast<size_t>(place);
        highscoreTable.scores[at] = score;
        highscoreTable.names[at] = entryName(input.nameBuffer.data(), input.nameBuffer.size());
    }
    play.score = 0;
    writeHighscores(highscoreFile);
}
