// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The highscore tests' set-up: a known list, a typed name, and a fresh
// working folder with a Data/ directory for the list file.
#include <cstdio>
#include <cstring>
#include <string>

#include "screens/highscore_insert.hpp"
#include "screens/highscore_screen.hpp"
#include "unit/screens/fixture.hpp"

namespace tiefschacht {

inline void setTable(std::initializer_list<int> scores) {
    int i = 0;
    for (int s : scores) {
        const auto slot = static_cast<size_t>(i);
        highscoreTable.scores[slot] = s;
        std::snprintf(highscoreTable.names[slot].data(), 15, "OLD%c", 'A' + i);
        ++i;
    }
}

inline void typeName(const char* name) {
    input.nameBuffer.fill('\0');
    std::strncpy(input.nameBuffer.data(), name, input.nameBuffer.size() - 1);
    input.nameLength = static_cast<int32_t>(std::strlen(name));
}

inline std::string nameAt(int i) { return highscoreTable.names[static_cast<size_t>(i)].data(); }
inline int scoreAt(int i) { return highscoreTable.scores[static_cast<size_t>(i)]; }

class HighscoreTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        setTable({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
        app.gameState = StateHighscore;
    }
    std::string listFile() const { return testsupport::readFile("Data/Highscore.txt"); }
};

}  // namespace tiefschacht
