// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Dying : PlayFixture {
    Dying() {
        floorAt(390);
        floorAt(392);
        level.tileGrid[392][10] = Free;  // the hero's own column stays open above him
        // The first row from the hero's upwards with checkpoints has two.
        level.tileGrid[393][15] = cellCheckpoint;
        level.tileGrid[393][5] = cellCheckpoint;
        level.tileGrid[395][2] = cellCheckpoint;
        level.tileGrid[389][10] = cellCheckpoint;  // below him: never used
        // A standing patrol right on the hero.
        placeEnemy(0, 0, -1.0f, 1.0f);
        enemy(0).minX = -10.0f;
        enemy(0).maxX = 10.0f;
    }
};
}  // namespace

TEST_F(Dying, ContactGivesFortyFramesAndTheRespawnOnTheFortieth) {
    frames(1);
    EXPECT_EQ(play.deathTimer, 39);  // set to 40 and the first dying frame run
    EXPECT_EQ(countSound("Sound/krepier.wav"), 1);
    frames(38);
    EXPECT_EQ(play.deathTimer, 1);
    EXPECT_EQ(play.lives, 3);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
    EXPECT_EQ(countSound("Sound/krepier.wav"), 1);  // further contacts are ignored

    play.onLadder = 1;
    frames(1);
    EXPECT_EQ(play.deathTimer, 0);
    EXPECT_EQ(play.lives, 2);
    EXPECT_FALSE(play.onLadder);
    // The lower column of row 393, two rows up: x -11, scroll -384.
    EXPECT_FLOAT_EQ(heroX(), -11.0f);
    EXPECT_FLOAT_EQ(scroll(), -384.0f);
    EXPECT_FLOAT_EQ(enemy(0).position.y, -3.0f);  // the enemy stayed with the level
    EXPECT_EQ(app.gameState, StatePlaying);
    frames(1);
    EXPECT_EQ(play.heroRow, 393);
    EXPECT_EQ(play.heroCol, 5);
    EXPECT_EQ(play.deathTimer, 0);
}

TEST_F(Dying, TheHeroStillMovesWhileDying) {
    frames(10, {.left = true});
    EXPECT_NEAR(heroX(), -2.5f, 1e-4f);
    EXPECT_EQ(play.deathTimer, 30);
}

TEST_F(Dying, TheFourthDeathEndsTheGameAndTheRespawnMoveStillHappens) {
    play.lives = 0;
    frames(40);
    EXPECT_EQ(play.lives, -1);
    EXPECT_EQ(app.gameState, StateHighscore);
    EXPECT_FLOAT_EQ(heroX(), -11.0f);
    EXPECT_FLOAT_EQ(scroll(), -384.0f);
    ASSERT_FALSE(audioLog->requests.empty());
    EXPECT_EQ(audioLog->requests.back(), "music Sound/Titelmusik.wav");
}

TEST_F(Dying, WithoutACheckpointAboveTheHeroStaysAndTheLifeIsStillLost) {
    level.tileGrid[393][15] = Free;
    level.tileGrid[393][5] = Free;
    level.tileGrid[395][2] = Free;
    frames(40);
    EXPECT_EQ(play.lives, 2);
    EXPECT_FLOAT_EQ(heroX(), -1.0f);
    EXPECT_FLOAT_EQ(scroll(), -380.0f);
}

TEST_F(Dying, RespawnSnapsOntoTheCheckpointCentre) {
    level.tileGrid[391][3] = cellCheckpoint;  // in the hero's own row
    game.hero->position.x = -0.6f;
    enemy(0).position.x = -0.6f;
    frames(40);
    // Column 3 is centred at x -15; the column shift is whole cells from
    // column 10, then the snap centres him.
    EXPECT_FLOAT_EQ(heroX(), -15.0f);
    EXPECT_FLOAT_EQ(scroll(), -380.0f);
}
