// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include "play/enemies.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Enemies : PlayFixture {
    Enemies() {
        floorAt(390);
        enemyTypeTable.entries[1].behaviour = 0;  // patrol
        enemyTypeTable.entries[2].behaviour = 1;  // flyer
        enemyTypeTable.entries[3].behaviour = 2;  // animated flyer
        enemyTypeTable.entries[4].behaviour = 3;  // bobbing patrol
        enemyTypeTable.entries[5].behaviour = 7;  // no such behaviour
    }
    // A generator state whose next `n` draws are all far from a re-roll.
    static uint32_t quietState(int n) {
        for (uint32_t s = 1;; ++s) {
            RandomGenerator g{s};
            bool quiet = true;
            for (int i = 0; i < n && quiet; ++i) quiet = g.next() > 2000;
            if (quiet) return s;
        }
    }
};
}  // namespace

// A patrol's picture follows its direction and the cycle's quarter; a step
// out of its range is taken back and reverses it.
TEST_F(Enemies, PatrolPicturesFollowTheDirectionAndTheCycleQuarter) {
    Enemy& e = placeEnemy(0, 1, 0.0f, 5.0f);
    e.minX = -100.0f;
    e.maxX = 100.0f;
    e.velocityX = 0.1f;
    for (auto [counter, q] :
         {std::pair{128, 0}, {96, 0}, {95, 1}, {64, 1}, {63, 2}, {32, 2}, {31, 3}, {0, 3}}) {
        play.animCounter = counter;
        updateEnemy(e);
        EXPECT_EQ(e.frame, 22 + q) << counter;
    }
    e.velocityX = -0.1f;
    play.animCounter = 40;
    updateEnemy(e);
    EXPECT_EQ(e.frame, 22 + 4 + 2);
    e.velocityX = 0.0f;
    e.frame = 99;
    updateEnemy(e);
    EXPECT_EQ(e.frame, 99);  // standing still keeps the picture

    e.position.x = 99.9f;
    e.velocityX = 0.2f;
    play.animCounter = 128;
    updateEnemy(e);
    EXPECT_NEAR(e.position.x, 99.9f, 1e-5f);
    EXPECT_FLOAT_EQ(e.velocityX, -0.2f);
    EXPECT_EQ(e.frame, 22 + 4 + 0);  // moving left, first quarter of the cycle
}

TEST_F(Enemies, AFlyersPictureIsChosenBeforeItsMove) {
    rng.state = quietState(8);
    Enemy& e = placeEnemy(0, 2, 0.1f, 5.0f);
    e.minX = 0.0f;
    e.maxX = 10.0f;
    e.minY = -100.0f;
    e.maxY = 100.0f;
    e.velocityX = e.speedX = -0.2f;
    updateEnemy(e);
    EXPECT_EQ(e.frame, 44);  // moving left
    EXPECT_FLOAT_EQ(e.velocityX, 0.2f);
    updateEnemy(e);
    EXPECT_EQ(e.frame, 45);  // the bounce shows from the next frame on
}

TEST_F(Enemies, SteeringDrawsChanceSignAndSpeedVerticalFirst) {
    Enemy& e = placeEnemy(0, 3, 0.0f, 0.0f);
    e.minX = e.minY = -100.0f;
    e.maxX = e.maxY = 100.0f;
    e.speedX = 0.4f;
    e.speedY = 0.3f;
    // Find a state whose first two draws re-roll both axes, so every draw of
    // the order shows in the result.
    uint32_t start = 1;
    for (;; ++start) {
        RandomGenerator g{start};
        if (g.next() < 600) {
            g.next();
            g.next();
            if (g.next() < 600) break;
        }
    }
    rng.state = start;
    const bool yChance = randomFloat(0.0f, 100.0f) < 2.0f;
    const float yd = randomFloat(0.0f, 100.0f);
    const float ys = randomFloat(e.speedY / 2.0f, e.speedY);
    const bool xChance = randomFloat(0.0f, 100.0f) < 2.0f;
    const float xd = randomFloat(0.0f, 100.0f);
    const float xs = randomFloat(e.speedX / 2.0f, e.speedX);
    const uint32_t after = rng.state;
    ASSERT_TRUE(yChance && xChance);

    rng.state = start;
    updateEnemy(e);
    EXPECT_EQ(rng.state, after);
    EXPECT_FLOAT_EQ(e.velocityY, yd < 50.0f ? ys : -ys);
    EXPECT_FLOAT_EQ(e.velocityX, xd < 50.0f ? xs : -xs);
    EXPECT_EQ(e.frame, 66 + 0);
}

TEST_F(Enemies, AFailedChanceDrawsNothingElse) {
    Enemy& e = placeEnemy(0, 3, 0.0f, 0.0f);
    e.minX = e.minY = -100.0f;
    e.maxX = e.maxY = 100.0f;
    rng.state = quietState(2);
    RandomGenerator expected{rng.state};
    expected.next();
    expected.next();
    updateEnemy(e);
    EXPECT_EQ(rng.state, expected.state);
}

TEST_F(Enemies, BobbingReturnsToItsHeightOverOneCycleAndAlternatesItsPictures) {
    Enemy& e = placeEnemy(0, 4, 15.0f, 5.0f);
    e.minX = 14.0f;
    e.maxX = 16.0f;
    e.velocityX = 0.01f;
    float highest = e.position.y;
    std::vector<int32_t> pictures;
    for (int f = 0; f < 33; ++f) {
        frames(1);
        highest = std::max(highest, e.position.y);
        pictures.push_back(e.frame - 88);
    }
    EXPECT_NEAR(e.position.y, 5.0f, 1e-4f);
    EXPECT_NEAR(highest, 5.0f + 1.48f, 1e-4f);
    EXPECT_EQ(pictures.front(), 0);
    EXPECT_EQ(pictures[10], 1);  // counter 84: the second quarter
    EXPECT_EQ(pictures[20], 0);
    EXPECT_EQ(pictures[28], 1);
}

TEST_F(Enemies, FreeSlotsAreUpdatedToo) {
    enemyTypeTable.entries[0].behaviour = 3;  // free slots have type 0: they bob
    frames(1);
    EXPECT_FLOAT_EQ(enemy(100).position.y, swayTable[31]);
    EXPECT_FLOAT_EQ(enemy(249).position.y, swayTable[31]);
}

TEST_F(Enemies, AnUnknownBehaviourOrTypeLeavesTheEnemyAlone) {
    for (int32_t type : {5, 16, -1, 1000}) {
        Enemy& e = placeEnemy(1, type, 3.0f, 5.0f);
        e.velocityX = e.velocityY = 0.5f;
        e.frame = 7;
        updateEnemy(e);
        EXPECT_FLOAT_EQ(e.position.x, 3.0f) << type;
        EXPECT_FLOAT_EQ(e.position.y, 5.0f) << type;
        EXPECT_EQ(e.frame, 7) << type;
    }
}

TEST_F(Enemies, ContactNeedsAnActiveSlotStrictlyInsideTheSquare) {
    placeEnemy(0, 1, 0.0f, 1.0f);  // exactly 1.0 to the right
    EXPECT_FALSE(heroTouchesEnemy(game));
    enemy(0).position = {-1.0f, 2.0f, 40.0f};  // exactly 1.0 above
    EXPECT_FALSE(heroTouchesEnemy(game));
    enemy(0).position = {-2.0f, 1.0f, 40.0f};
    EXPECT_FALSE(heroTouchesEnemy(game));
    enemy(0).position = {-1.99f, 0.01f, 40.0f};
    EXPECT_TRUE(heroTouchesEnemy(game));
    enemy(0).active = 0;
    enemy(5).position = {-1.0f, 1.0f, 40.0f};  // an inactive slot right on him
    EXPECT_FALSE(heroTouchesEnemy(game));
    placeEnemy(249, 1, -0.5f, 1.5f);
    EXPECT_TRUE(heroTouchesEnemy(game));
    // An enemy of a type outside the table is neither drawn nor moved: it
    // cannot kill either.
    enemy(249).type = 16;
    EXPECT_FALSE(heroTouchesEnemy(game));
    enemy(249).type = -1;
    EXPECT_FALSE(heroTouchesEnemy(game));
}
