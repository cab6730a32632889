// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/level.hpp"

#include <string>

#include "world/data_file.hpp"

namespace tiefschacht {

LevelState level;

void readLevel(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);
    // A failed conversion keeps the last code read, so the cell gets that;
    // cells past the end of the file get it too, as the grid has no gaps.
    int32_t code = 0;
    int32_t cells = 0;
    for (int row = levelRows - 1; row >= 0; --row) {
        for (int column = 0; column < levelColumns; ++column) {
            if (reader.problem().empty() && reader.atEnd())
                reader.noteProblem("the file ends after " + std::to_string(cells) + " of the " +
                                   std::to_string(levelRows * levelColumns) +
                                   " cells of the level");
            reader.readInteger(code);
            reader.skipWord();  // the editor's label of the cell
            level.tileGrid[row][column] = code;
            ++cells;
        }
    }
    level.levelOrigin.y = -380.0f;
    warnAboutProblem(reader, path);
}

}  // namespace tiefschacht
