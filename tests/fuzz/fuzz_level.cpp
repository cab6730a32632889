// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The level file: 400 rows of 22 cells, each a code and a label.
#include "fuzz_support.hpp"
#include "world/level.hpp"

using namespace tiefschacht;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input("Data/Level1.txt", data, size);
    readLevel("Data/Level1.txt");
    FUZZ_CHECK(level.levelOrigin.y == -380.0f);
    // The cell accessors guard the grid whatever the codes are.
    FUZZ_CHECK(cellAt(-1, 0) == cellOutside && cellAt(levelRows, 0) == cellOutside);
    FUZZ_CHECK(cellAt(0, levelColumns) == cellOutside);
    return 0;
}
