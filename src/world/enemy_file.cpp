#include "world/data_file.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"

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
