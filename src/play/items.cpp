// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/items.hpp"

#include <algorithm>

#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/sound.hpp"
#include "world/data_tables.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {
// The entries in use, never more than the table holds.
int32_t entriesInUse() { return std::clamp(itemTable.count, 0, itemCapacity); }
}  // namespace

void pickUpItem(int32_t code) {
    setCell(play.heroRow, play.heroCol, itemReplacement(code));
    const int32_t points = itemPoints(code);
    if (points > 0) playSound(sound.coins.get());
    // Points may be negative; the sum wraps instead of overflowing.
    play.score =
        static_cast<int32_t>(static_cast<uint32_t>(play.score) + static_cast<uint32_t>(points));
    applyItemAction(code);
}

int32_t itemReplacement(int32_t code) {
    for (int32_t i = 0; i < entriesInUse(); ++i)
        if (itemTable.code[i] == code) return itemTable.replacement[i];
    return 0;
}

int32_t itemPoints(int32_t code) {
    for (int32_t i = 0; i < entriesInUse(); ++i)
        if (itemTable.code[i] == code) return itemTable.points[i];
    return 0;
}

// Every entry with the code acts, not only the first.
void applyItemAction(int32_t code) {
    for (int32_t i = 0; i < entriesInUse(); ++i) {
        if (itemTable.code[i] != code) continue;
        switch (itemTable.action[i]) {
        case itemActionOpenGate: openGate(); break;
        case itemActionKey:
            play.keyCount += 1;
            playSound(sound.coins.get());
            break;
        case itemActionExtraLife:
            play.lives += 1;
            playSound(sound.coins.get());
            break;
        case itemActionLevelEnd: setGameState(StateWon); break;
        default: break;
        }
    }
}

void openGate() {
    const int32_t firstRow = play.heroRow < 0 ? 0 : play.heroRow;
    for (int32_t row = firstRow; row < levelRows; ++row) {
        for (int32_t col = 0; col < levelColumns; ++col) {
            if (cellAt(row, col) != cellGate) continue;
            setCell(row, col, cellOpened);
            playSound(sound.gate.get());
            return;
        }
    }
}

}  // namespace tiefschacht
