// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The data files of records: opening one for a reader, the checks of counts
// and records, and the item and enemy files.
#include "world/data_file.hpp"

#include <cmath>
#include <string>

#include "services/app_state.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

namespace tiefschacht {

int32_t limitCount(TokenReader& reader, int32_t count, int32_t capacity, const char* what) {
    const std::string written(reader.lastNumber());
    if (count < 0) {
        reader.noteProblemAtLastNumber("announces " + written + " " + what + "; none are read");
        return 0;
    }
    if (count > capacity) {
        reader.noteProblemAtLastNumber("announces " + written + " " + what + ", but at most " +
                                       std::to_string(capacity) +
                                       " fit; the rest of the file is ignored");
        return capacity;
    }
    return count;
}

bool holdsRecord(TokenReader& reader, int32_t held, int32_t announced, const char* what) {
    if (!reader.atEnd()) return true;
    reader.noteProblem("the file ends after " + std::to_string(held) + " of the " +
                       std::to_string(announced) + " " + what + " it announces");
    return false;
}

ItemTable itemTable;

void readItems(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);

    int32_t count = 0;
    reader.readLabelledInteger(count);
    count = limitCount(reader, count, itemCapacity, "items");

    // Read straight into the table: a failed conversion leaves the entry as it was.
    int32_t held = 0;
    while (held < count && holdsRecord(reader, held, count, "items")) {
        reader.readLabelledInteger(itemTable.code[held]);
        reader.readLabelledInteger(itemTable.replacement[held]);
        if (reader.readLabelledInteger(itemTable.action[held]) &&
            (itemTable.action[held] < 0 || itemTable.action[held] > itemActionLevelEnd))
            reader.noteProblemAtLastNumber(
                "item " + std::to_string(held + 1) + " has the action " +
                std::string(reader.lastNumber()) + ", which no item has (0 to " +
                std::to_string(itemActionLevelEnd) + "); it only gives its points");
        reader.readLabelledInteger(itemTable.points[held]);
        ++held;
    }
    itemTable.count = held;
    warnAboutProblem(reader, path);
}

void readEnemies(const char* path, std::array<std::unique_ptr<Enemy>, enemySlotCount>& slots) {
    TokenReader reader;
    openDataFile(reader, path);

    int32_t count = 0;
    reader.readLabelledInteger(count);
    count = limitCount(reader, count, enemySlotCount, "enemies");

    // Kept from record to record: a conversion that fails leaves the value
    // of the record before.
    int32_t type = 0;
    float x = 0.0f, y = 0.0f, minX = 0.0f, maxY = 0.0f, maxX = 0.0f, minY = 0.0f;
    float speedX = 0.0f, speedY = 0.0f;
    for (int32_t i = 0; i < count && holdsRecord(reader, i, count, "enemies"); ++i) {
        reader.readLabelledInteger(type);
        // An enemy of a type without pictures and behaviour would be neither
        // drawn nor moved, yet kill by touch: it stays inactive.
        const bool known = enemyTypeValid(type);
        if (!known)
            reader.noteProblemAtLastNumber("enemy " + std::to_string(i + 1) + " has the type " +
                                           std::to_string(type) + ", which no enemy has (0 to " +
                                           std::to_string(enemyTypeCapacity - 1) +
                                           "); it stays inactive");
        // A position, bound or speed that is no finite number would move
        // the enemy nowhere a hero can meet it: it stays inactive.
        bool finite = true;
        for (float* value : {&x, &y, &minX, &maxY, &maxX, &minY, &speedX, &speedY}) {
            if (reader.readLabelledFloat(*value) && !std::isfinite(*value) && finite) {
                finite = false;
                reader.noteProblemAtLastNumber("enemy " + std::to_string(i + 1) + " has " +
                                               quotedToken(reader.lastNumber()) +
                                               ", which is no finite number; it stays inactive");
            }
        }

        if (!slots[i]) continue;
        Enemy& e = *slots[i];
        e.type = type;
        e.position.x = x;
        e.position.y = y;
        e.minX = minX;
        e.maxY = maxY;
        e.maxX = maxX;
        e.minY = minY;
        e.speedX = speedX;
        e.velocityX = speedX;
        e.speedY = speedY;
        e.velocityY = speedY;
        e.active = known && finite;
    }
    warnAboutProblem(reader, path);
}

}  // namespace tiefschacht
