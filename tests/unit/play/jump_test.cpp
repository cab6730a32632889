// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Jump : PlayFixture {
    Jump() { floorAt(390); }  // the hero stands in row 391 on a solid floor
};
}  // namespace

TEST_F(Jump, StandingJumpRisesJustUnderOneCellAndLandsAtTheTakeOffHeightAfterSixteenFrames) {
    frames(1, {.space = true});
    EXPECT_EQ(play.jumpCounter, 14);
    EXPECT_FLOAT_EQ(scroll(), -380.7f);
    float highest = scroll();
    for (int f = 2; f <= 16; ++f) {
        frames(1);
        highest = std::min(highest, scroll());
        if (f < 16) {
            EXPECT_GE(play.jumpCounter, 0) << "frame " << f;
        }
    }
    EXPECT_EQ(play.jumpCounter, -1);
    EXPECT_NEAR(highest, -381.85f, 1e-4f);
    EXPECT_NEAR(scroll(), -380.0f, 1e-4f);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
    frames(5);  // back on the floor: no fall, no new jump
    EXPECT_EQ(play.jumpCounter, -1);
    EXPECT_NEAR(scroll(), -380.0f, 1e-4f);
}

TEST_F(Jump, HoldingTheKeyStartsTheNextJumpOneFrameAfterTheLastEnds) {
    frames(16, {.space = true});
    EXPECT_EQ(play.jumpCounter, -1);
    frames(1, {.space = true});
    EXPECT_EQ(play.jumpCounter, 14);
}

TEST_F(Jump, NoStandingJumpUnderASolidCell) {
    level.tileGrid[392][10] = Solid;
    frames(3, {.space = true});
    EXPECT_EQ(play.jumpCounter, -1);
    EXPECT_FLOAT_EQ(scroll(), -380.0f);
}

TEST_F(Jump, RunningJumpKeepsItsTakeOffDirectionForAllSixteenFrames) {
    frames(1, {.right = true, .space = true});
    frames(15);  // keys released: the direction holds
    EXPECT_EQ(play.jumpCounter, -1);
    // The take-off frame's walking step plus sixteen jump steps.
    EXPECT_NEAR(heroX(), -1.0f + 17 * 0.15f, 1e-4f);
    EXPECT_NEAR(scroll(), -380.0f, 1e-4f);
}

TEST_F(Jump, RunningJumpNeedsTheSideCellAndTheCellAboveItFree) {
    level.tileGrid[392][11] = Solid;  // above the right-hand cell
    frames(1, {.right = true, .space = true});
    EXPECT_EQ(play.jumpCounter, -1);
    frames(1, {.left = true, .space = true});  // the left side is open
    EXPECT_EQ(play.jumpCounter, 14);
}

TEST_F(Jump, ARunningJumpUnderACeilingRisesIntoItWithoutACeilingTest) {
    level.tileGrid[392][10] = Solid;  // right above the hero; the way ahead is open
    frames(1, {.right = true, .space = true});
    EXPECT_EQ(play.jumpCounter, 14);
    frames(8);
    EXPECT_NEAR(scroll(), -381.85f, 1e-4f);
}

TEST_F(Jump, SideMotionStopsOnlyAgainstASolidSideCell) {
    level.tileGrid[392][12] = Solid;
    frames(1, {.right = true, .space = true});
    frames(15);
    // Column 12 blocks him while he is up in row 392; back in row 391 he
    // moves on for the last frame.
    EXPECT_NEAR(heroX(), 0.2f, 1e-4f);
}

TEST_F(Jump, HoldingJumpWhileFallingDropsOneCellBetweenJumps) {
    fillRow(390, Free);  // an open shaft
    frames(1, {.space = true});
    EXPECT_NEAR(scroll(), -378.7f, 1e-4f);  // fell 2, then the first jump step
    frames(15, {.space = true});
    EXPECT_EQ(play.jumpCounter, -1);
    EXPECT_NEAR(scroll(), -378.0f, 1e-4f);
    frames(1, {.space = true});
    EXPECT_NEAR(scroll(), -376.7f, 1e-4f);
    EXPECT_EQ(play.jumpCounter, 14);
}

TEST_F(Jump, NoJumpInWater) {
    level.tileGrid[391][10] = cellWater;
    frames(3, {.space = true});
    EXPECT_EQ(play.jumpCounter, -1);
    EXPECT_TRUE(play.inWater);
}

TEST_F(Jump, TheGroundBlockIsSkippedWhileJumping) {
    level.tileGrid[391][10] = cellWater;  // entering water mid-jump changes nothing
    play.jumpCounter = 10;
    frames(1, {.left = true});
    EXPECT_FALSE(play.inWater);
    EXPECT_FALSE(play.walkingLeft);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
}
