// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include "play/snapping.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Ground : PlayFixture {
    Ground() { floorAt(390); }
};
}  // namespace

TEST_F(Ground, StartOfAGameIsRow391Column10CentredInBoth) {
    frames(1);
    EXPECT_EQ(play.heroRow, 391);
    EXPECT_EQ(play.heroCol, 10);
    EXPECT_FLOAT_EQ(scroll(), -380.0f);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
}

TEST(Snapping, RoundingAndParityFollowTruncationTowardZeroAndTheSignedRemainder) {
    EXPECT_EQ(truncToInt(-3.9f), -3);
    EXPECT_EQ(truncToInt(3.9f), 3);
    EXPECT_EQ(truncToInt(1e20f), INT32_MAX);
    EXPECT_EQ(truncToInt(-1e20f), INT32_MIN);
    EXPECT_EQ(truncToInt(std::nanf("")), INT32_MIN);

    Game game{BareTag{}};
    struct Case {
        float scroll, row;
    };
    // Odd whole numbers go away from zero; trunc decides the parity.
    for (Case c :
         {Case{-381.05f, -382.0f}, Case{-380.9f, -380.0f}, Case{-381.0f, -382.0f}, Case{1.0f, 2.0f},
          Case{0.5f, 0.0f}, Case{-0.5f, 0.0f}, Case{2.9f, 2.0f}, Case{3.2f, 4.0f}}) {
        level.levelOrigin.y = c.scroll;
        snapToRowCentre(game);
        EXPECT_FLOAT_EQ(level.levelOrigin.y, c.row) << c.scroll;
    }
    for (Case c :
         {Case{-381.5f, -382.0f}, Case{-380.5f, -380.0f}, Case{3.5f, 2.0f}, Case{-0.5f, 0.0f}}) {
        level.levelOrigin.y = c.scroll;
        stepUpSnap(game);
        EXPECT_FLOAT_EQ(level.levelOrigin.y, c.row) << c.scroll;
    }
    for (Case c : {Case{0.5f, -1.0f}, Case{0.0f, -1.0f}, Case{-0.5f, -1.0f}, Case{2.5f, 3.0f},
                   Case{3.7f, 3.0f}, Case{-2.2f, -3.0f}, Case{-3.7f, -3.0f}}) {
        game.hero->position.x = c.scroll;
        snapToColumnCentre(game);
        EXPECT_FLOAT_EQ(game.hero->position.x, c.row) << c.scroll;
    }
    // Stops: negative scroll stops up at even truncations, positive at odd ones.
    EXPECT_TRUE(atUpperStop(-380.1f));
    EXPECT_FALSE(atUpperStop(-379.9f));
    EXPECT_TRUE(atUpperStop(3.5f));
    EXPECT_TRUE(atLowerStop(-379.9f));
    EXPECT_TRUE(atLowerStop(2.5f));
    EXPECT_FALSE(atLowerStop(-0.5f));  // trunc 0 is even; negative: an upper stop
    EXPECT_TRUE(atUpperStop(-0.5f));
}

TEST_F(Ground, ScrollingMovesTheLevelAndAllTwoHundredFiftySlots) {
    enemy(249).maxY = 3.0f;
    enemy(249).minY = -3.0f;
    scrollWorld(game, 2.5f);
    EXPECT_FLOAT_EQ(scroll(), -377.5f);
    for (const auto& e : game.enemies) EXPECT_FLOAT_EQ(e->position.y, 2.5f);
    EXPECT_FLOAT_EQ(enemy(249).maxY, 5.5f);
    EXPECT_FLOAT_EQ(enemy(249).minY, -0.5f);
}

TEST_F(Ground, WalkingIntoAOneCellObstacleStepsUpOntoItAndWalksOn) {
    level.tileGrid[391][11] = Solid;
    for (int f = 0; f < 7; ++f) frames(1, {.right = true});
    EXPECT_FLOAT_EQ(scroll(), -380.0f);
    frames(1, {.right = true});  // the hero's cell is now the obstacle
    EXPECT_FLOAT_EQ(scroll(), -382.0f);
    EXPECT_TRUE(play.walkingRight);
    frames(5, {.right = true});
    EXPECT_EQ(play.heroRow, 392);
    EXPECT_FLOAT_EQ(scroll(), -382.0f);  // carried by the obstacle
    EXPECT_GT(heroX(), 0.8f);
}

// A two-cell wall, or a locked door over a solid cell without a key: the
// hero is pushed back and stays, and the door stays shut.
TEST_F(Ground, AWallOrALockedDoorWithoutAKeyPushesBack) {
    for (int32_t obstacle : {Solid, cellDoor}) {
        game.hero->position.x = -1.0f;
        level.tileGrid[391][11] = obstacle;
        level.tileGrid[392][11] = Solid;
        frames(8, {.right = true});
        const float x = heroX();
        frames(10, {.right = true});
        EXPECT_NEAR(heroX(), x, 1e-5f);
        EXPECT_LT(heroX(), 0.2f);
        EXPECT_FLOAT_EQ(scroll(), -380.0f);
        EXPECT_EQ(level.tileGrid[391][11], obstacle);
    }
    EXPECT_EQ(countSound("Sound/tuer.wav"), 0);
}

TEST_F(Ground, ALockedDoorWithAKeyOpensAndThePushBackOfThatFrameStillHappens) {
    level.tileGrid[391][11] = cellDoor;
    level.tileGrid[392][11] = Solid;
    play.keyCount = 2;
    frames(7, {.right = true});
    const float before = heroX();
    frames(1, {.right = true});
    EXPECT_EQ(level.tileGrid[391][11], cellOpened);
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_EQ(countSound("Sound/tuer.wav"), 1);
    EXPECT_NEAR(heroX(), before, 1e-5f);  // pushed back 0.15, then walked 0.15
    frames(10, {.right = true});
    EXPECT_GT(heroX(), 1.0f);  // through the opened door
    EXPECT_EQ(play.keyCount, 1);
}

TEST_F(Ground, ADoorBesideALadderOpensFromTheLadder) {
    level.tileGrid[391][10] = Ladder;
    level.tileGrid[391][11] = cellDoor;
    play.keyCount = 1;
    play.onLadder = 1;
    frames(1, {.right = true});
    EXPECT_EQ(level.tileGrid[391][11], cellOpened);
    EXPECT_EQ(play.keyCount, 0);
    // Holding the ladder, a wall beside it keeps him there; the door opened anyway.
    EXPECT_FALSE(play.walkingRight);
    EXPECT_TRUE(play.onLadder);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
    frames(1, {.right = true});  // now a passage: he steps off the ladder
    EXPECT_TRUE(play.walkingRight);
    EXPECT_FALSE(play.onLadder);
}

namespace {
struct LadderClimb : Ground {
    LadderClimb() {
        for (int r = 391; r <= 393; ++r) level.tileGrid[r][10] = Ladder;
        game.hero->position.x = -0.5f;  // in column 10 but off its centre
    }
};
}  // namespace

TEST_F(LadderClimb, UpAtTheFootSnapsToTheColumnCentreAndClimbs) {
    frames(1, {.up = true});
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
    EXPECT_TRUE(play.onLadder);
    EXPECT_TRUE(play.climbingUp);
    EXPECT_FLOAT_EQ(scroll(), -380.15f);
    frames(3, {.up = true});
    EXPECT_NEAR(scroll(), -380.6f, 1e-4f);
}

TEST_F(LadderClimb, HoldingUpAtTheTopStaysAtTheTopBoundary) {
    frames(60, {.up = true});
    const float top = scroll();
    EXPECT_LT(top, -385.0f);
    EXPECT_GT(top, -385.15f);
    frames(7, {.up = true});
    EXPECT_FLOAT_EQ(scroll(), top);
    frames(5);  // released: the top ladder cell still carries him
    EXPECT_FLOAT_EQ(scroll(), top + heroStep);
}

TEST_F(LadderClimb, DownStopsWithTheFeetOnSolidGround) {
    frames(10, {.up = true});
    frames(40, {.down = true});
    const float foot = scroll();  // within one step of the row centre
    EXPECT_GT(foot, -380.15f);
    EXPECT_LE(foot, -379.85f);
    EXPECT_FALSE(play.climbingDown);
    frames(3, {.down = true});
    EXPECT_FLOAT_EQ(scroll(), foot);
}

TEST_F(LadderClimb, LeavingSideWaysSnapsToTheNearestRowCentre) {
    frames(7, {.up = true});
    EXPECT_NEAR(scroll(), -381.05f, 1e-4f);
    frames(1, {.right = true});
    EXPECT_FLOAT_EQ(scroll(), -382.0f);
    EXPECT_FALSE(play.onLadder);
    EXPECT_TRUE(play.walkingRight);
    EXPECT_FLOAT_EQ(heroX(), -0.85f);
}

TEST_F(LadderClimb, ABottomLadderOverAFreeCellLetsTheClimberFallOff) {
    level.tileGrid[390][10] = Free;
    frames(1, {.down = true});
    EXPECT_FLOAT_EQ(scroll(), -378.0f);
    EXPECT_FALSE(play.climbingDown);
}

TEST_F(Ground, FallingOneCellPerFrameIntoWaterDripsOnce) {
    fillRow(390, Free);
    level.tileGrid[388][10] = cellWater;
    level.tileGrid[387][10] = cellWater;
    level.tileGrid[386][10] = Solid;
    frames(2);
    EXPECT_FLOAT_EQ(scroll(), -376.0f);
    EXPECT_FALSE(play.inWater);
    frames(10);
    EXPECT_TRUE(play.inWater);
    EXPECT_EQ(play.heroRow, 388);
    EXPECT_FLOAT_EQ(scroll(), -374.0f);  // no gravity in water
    EXPECT_EQ(countSound("Sound/drip.wav"), 1);
}

TEST_F(Ground, SwimmingUpStopsInTheHighestWaterRow) {
    level.tileGrid[390][10] = cellWater;
    level.tileGrid[391][10] = cellWater;
    level.tileGrid[389][10] = Solid;
    level.levelOrigin.y = -378.0f;  // row 390
    frames(40, {.up = true});
    const float top = scroll();
    EXPECT_LE(top, -380.0f);
    EXPECT_GT(top, -380.15f);
    EXPECT_TRUE(play.inWater);
    EXPECT_EQ(play.heroRow, 391);
    frames(3, {.up = true});
    EXPECT_FLOAT_EQ(scroll(), top);
}

TEST_F(Ground, SwimmingDownStopsAboveTheBed) {
    level.tileGrid[391][10] = cellWater;
    level.tileGrid[390][10] = cellWater;
    level.tileGrid[389][10] = Solid;
    frames(40, {.down = true});
    EXPECT_GE(scroll(), -378.0f);
    EXPECT_LT(scroll(), -377.85f);
    EXPECT_EQ(play.heroRow, 390);
}

TEST_F(Ground, BothSideKeysSetBothFlagsAndCancel) {
    frames(3, {.left = true, .right = true});
    EXPECT_TRUE(play.walkingLeft);
    EXPECT_TRUE(play.walkingRight);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
}

TEST_F(Ground, CellsOutsideTheGridReadAsSolidAndAreNeverWritten) {
    fillRow(390, Free);
    level.levelOrigin.y = 400.0f;  // row 1; the bottom row 0 has nothing below
    game.hero->position.x = -21.0f;
    const auto before = level.tileGrid;
    frames(5);
    EXPECT_FLOAT_EQ(scroll(), 402.0f);
    EXPECT_EQ(play.heroRow, 0);
    EXPECT_EQ(play.cellBelow, cellOutside);
    play.keyCount = 3;
    frames(40, {.left = true});  // off the left edge: the outside is a wall
    EXPECT_GT(heroX(), -24.2f);
    EXPECT_EQ(play.keyCount, 3);
    EXPECT_EQ(level.tileGrid, before);
    level.levelOrigin.y = -1000.0f;  // far above the top row
    frames(1, {.up = true, .right = true});
    EXPECT_EQ(play.cellHere, cellOutside);
}
