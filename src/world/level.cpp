#include "world/level.hpp"

#include "world/data_file.hpp"

LevelState level;

void readLevel(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);
    // A failed conversion keeps the last code read, so the cell gets that.
    int32_t code = 0;
    for (int row = levelRows - 1; row >= 0; --row) {
        for (int column = 0; column < levelColumns; ++column) {
            reader.readInteger(code);
            reader.skipWord();  // the editor's label of the cell
            level.tileGrid[row][column] = code;
        }
    }
    level.levelOrigin.y = -380.0f;
}
