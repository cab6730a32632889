// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/level.hpp"

#include <gtest/gtest.h>

#include "unit/world/test_support.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using worldtest::levelText;
using worldtest::writeText;

TEST(WorldLevel, TopLineOfTheFileIsRow399AndTheLastIsRow0) {
    ScratchFolder dir;
    std::string top;
    for (int c = 0; c < 22; ++c) top += "70 W ";
    std::string text = levelText(0, top);
    // Mark the first and the last cell of the file.
    text[1] = '1';  // 70 -> 71
    text[text.rfind("0 x")] = '9';
    writeText("Data/Level1.txt", text);
    level.levelOrigin = {5.0f, 123.0f, 40.0f};

    readLevel("Data/Level1.txt");

    EXPECT_EQ(level.tileGrid[399][0], 71);  // first entry of the file
    for (int c = 1; c < 22; ++c) EXPECT_EQ(level.tileGrid[399][c], 70);
    EXPECT_EQ(level.tileGrid[398][0], 0);
    EXPECT_EQ(level.tileGrid[0][21], 9);  // last entry of the file
    EXPECT_EQ(level.tileGrid[0][20], 0);
    // Only y of the origin is reset.
    EXPECT_EQ(level.levelOrigin.x, 5.0f);
    EXPECT_EQ(level.levelOrigin.y, -380.0f);
    EXPECT_EQ(level.levelOrigin.z, 40.0f);
}

TEST(WorldLevel, NumberFormsSplitEntriesAndFailedConversions) {
    ScratchFolder dir;
    // Octal, hexadecimal, signs, an entry split over two lines, then a
    // non-number (it keeps the last code; its text is taken as the label).
    std::string text = "010 a 0x41 b -3 c +7\nd\n12 e junk f 5 g";
    writeText("Data/Level1.txt", text);

    readLevel("Data/Level1.txt");

    const auto& top = level.tileGrid[399];
    EXPECT_EQ(top[0], 8);
    EXPECT_EQ(top[1], 65);
    EXPECT_EQ(top[2], -3);
    EXPECT_EQ(top[3], 7);
    EXPECT_EQ(top[4], 12);
    // "junk" is no number: the cell keeps the last code and "junk" is read
    // as its label; the same happens to "f".
    EXPECT_EQ(top[5], 12);
    EXPECT_EQ(top[6], 12);
    EXPECT_EQ(top[7], 5);
    // The file ends early: every remaining cell gets the last code read.
    EXPECT_EQ(top[8], 5);
    EXPECT_EQ(level.tileGrid[0][21], 5);
}

TEST(WorldLevel, FailureBeforeAnyCodeGivesZeroAndLongLabelsAreSkipped) {
    ScratchFolder dir;
    std::string longLabel(1000, 'L');
    writeText("Data/Level1.txt", "oops 3 " + longLabel + " 4 z");
    level.tileGrid[399][0] = 77;

    readLevel("Data/Level1.txt");

    // "oops" fails before any code was read: 0 (and "oops" is the label).
    EXPECT_EQ(level.tileGrid[399][0], 0);
    // The 1000-character label is one token, skipped whole.
    EXPECT_EQ(level.tileGrid[399][1], 3);
    EXPECT_EQ(level.tileGrid[399][2], 4);
    EXPECT_EQ(level.tileGrid[0][21], 4);
}

// A level that ends early still fills the grid as before (the last code
// read), with one warning that says how far it got.
TEST(WorldLevel, AFileThatEndsEarlyIsNamed) {
    ScratchFolder dir;
    writeText("Data/Level1.txt", "70 a 70 b\n71 c\n");
    testing::internal::CaptureStderr();
    readLevel("Data/Level1.txt");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tiefschacht: Data/Level1.txt: line 2: the file ends after 3 of the 8800 cells of "
              "the level\n");
    EXPECT_EQ(level.tileGrid[399][2], 71);
    EXPECT_EQ(level.tileGrid[0][21], 71);
}

TEST(WorldLevel, RereadingRestoresTheGridAndTheScroll) {
    ScratchFolder dir;
    writeText("Data/Level1.txt", levelText(6));
    readLevel("Data/Level1.txt");
    setCell(200, 3, 4);
    level.levelOrigin.y = 155.5f;

    readLevel("Data/Level1.txt");

    EXPECT_EQ(cellAt(200, 3), 6);
    EXPECT_EQ(level.levelOrigin.y, -380.0f);
}

TEST(WorldLevel, AccessorsOutsideTheGridReadSolidAndWriteNothing) {
    level.tileGrid[0][0] = 1;
    level.tileGrid[399][21] = 2;
    EXPECT_EQ(cellAt(0, 0), 1);
    EXPECT_EQ(cellAt(399, 21), 2);
    for (auto [r, c] : {std::pair{-1, 0}, {400, 0}, {0, -1}, {0, 22}, {-100000, 100000}}) {
        EXPECT_TRUE(isSolid(cellAt(r, c)));
        setCell(r, c, 5);  // must not write anywhere
    }
    EXPECT_EQ(cellAt(0, 0), 1);
    EXPECT_EQ(cellAt(399, 21), 2);
}

TEST(WorldLevelDeathTest, MissingFileEndsTheProgramNamingIt) {
    ScratchFolder dir;
    EXPECT_EXIT(readLevel("Data/Level1.txt"), testing::ExitedWithCode(1), "Data/Level1.txt");
}
