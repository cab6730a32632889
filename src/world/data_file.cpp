// The data files of records: opening one for a reader, the warning for a
// count larger than its table, and the item and enemy files.
#include "world/data_file.hpp"

#include <cstdio>
#include <string>

#include "services/app_state.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"

void openDataFile(TokenReader& reader, const char* path) {
    std::string error;
    if (!reader.open(path, error)) failOnFile(path, error.c_str());
}

int32_t limitCount(int32_t count, int32_t capacity, const char* path, const char* what) {
    if (count < 0) return 0;
    if (count > capacity) {
        std::fprintf(stderr,
                     "tiefschacht: %s: lists %d %s, but at most %d fit; the rest of the file "
                     "is ignored\n",
                     path, static_cast<int>(count), what, static_cast<int>(capacity));
        return capacity;
    }
    return count;
}

ItemTable itemTable;

void readItems(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);

    reader.skipWord();
    reader.readInteger(itemTable.count);
    itemTable.count = limitCount(itemTable.count, itemCapacity, path, "items");

    // Read straight into the table: a failed conversion leaves the entry as it was.
    auto labelled = [&reader](int32_t& value) {
        reader.skipWord();
        reader.readInteger(value);
    };
    for (int32_t i = 0; i < itemTable.count; ++i) {
        labelled(itemTable.code[i]);
        labelled(itemTable.replacement[i]);
        labelled(itemTable.action[i]);
        labelled(itemTable.points[i]);
    }
}

void readEnemies(const char* path, std::array<std::unique_ptr<Enemy>, enemySlotCount>& slots) {
    TokenReader reader;
    openDataFile(reader, path);

    int32_t count = 0;
    reader.skipWord();
    reader.readInteger(count);
    count = limitCount(count, enemySlotCount, path, "enemies");

    // Kept from record to record: a conversion that fails leaves the value
    // of the record before.
    int32_t type = 0;
    float x = 0.0f, y = 0.0f, minX = 0.0f, maxY = 0.0f, maxX = 0.0f, minY = 0.0f;
    float speedX = 0.0f, speedY = 0.0f;
    auto labelled = [&reader](float& value) {
        reader.skipWord();
        reader.readFloat(value);
    };
    for (int32_t i = 0; i < count; ++i) {
        reader.skipWord();
        reader.readInteger(type);
        labelled(x);
        labelled(y);
        labelled(minX);
        labelled(maxY);
        labelled(maxX);
        labelled(minY);
        labelled(speedX);
        labelled(speedY);

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
        e.active = 1;
    }
}
