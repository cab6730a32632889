// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The item table and the highscore table, and the item and enemy files (the
// highscore list's file: world/highscore_file.hpp).
#include <array>
#include <cstdint>
#include <memory>

#include "world/game.hpp"

namespace tiefschacht {

constexpr int itemCapacity = 50;
constexpr int highscoreCount = 10;

inline constexpr const char* enemiesFile = "Data/Enemies1.txt";
inline constexpr const char* itemsFile = "Data/Items.txt";
inline constexpr const char* highscoreFile = "Data/Highscore.txt";

struct ItemTable {
    int32_t count = 0;
    std::array<int32_t, itemCapacity> code{};
    std::array<int32_t, itemCapacity> replacement{};
    std::array<int32_t, itemCapacity> action{};
    std::array<int32_t, itemCapacity> points{};
};

constexpr int32_t itemActionOpenGate = 1;
constexpr int32_t itemActionKey = 2;
constexpr int32_t itemActionExtraLife = 3;
constexpr int32_t itemActionLevelEnd = 4;

// A name holds at most 14 characters; the 15th of its slot stays NUL.
constexpr size_t highscoreNameChars = 14;

struct HighscoreTable {
    std::array<std::array<char, highscoreNameChars + 1>, highscoreCount> names{};
    std::array<int32_t, highscoreCount> scores{};
};

extern ItemTable itemTable;
extern HighscoreTable highscoreTable;

// Reads the enemy file into the slots: each record the file holds fills the
// next slot and makes it active (unless its type is outside the type table);
// slots past the records keep what they held. A damaged file gets one warning.
void readEnemies(const char* path, std::array<std::unique_ptr<Enemy>, enemySlotCount>& slots);
// The item table holds the records the file holds, at most 50.
void readItems(const char* path);

}  // namespace tiefschacht
