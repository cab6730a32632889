// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include "play/items.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Items : PlayFixture {
    Items() { floorAt(390); }
    static void addItem(int32_t code, int32_t replacement, int32_t action, int32_t points) {
        const int i = itemTable.count++;
        itemTable.code[i] = code;
        itemTable.replacement[i] = replacement;
        itemTable.action[i] = action;
        itemTable.points[i] = points;
    }
};
}  // namespace

TEST_F(Items, AnItemWithoutAnEntryBecomesBackgroundAndGivesNothing) {
    addItem(31, 5, itemActionKey, 100);
    level.tileGrid[391][10] = Item;
    frames(1);
    EXPECT_EQ(level.tileGrid[391][10], 0);
    EXPECT_EQ(play.score, 0);
    EXPECT_EQ(play.keyCount, 0);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Items, PointsAndTheirSound) {
    addItem(Item, 0, 0, 250);
    addItem(31, 0, 0, -40);
    level.tileGrid[391][10] = Item;
    level.tileGrid[391][11] = 31;
    frames(1);
    EXPECT_EQ(play.score, 250);
    EXPECT_EQ(countSound("Sound/Geld.wav"), 1);
    frames(8, {.right = true});  // into the next cell: negative points are silent
    EXPECT_EQ(play.score, 210);
    EXPECT_EQ(countSound("Sound/Geld.wav"), 1);
}

TEST_F(Items, TheFirstDuplicateGivesReplacementAndPointsAndEveryActionRuns) {
    addItem(Item, 5, itemActionKey, 100);
    addItem(Item, 7, itemActionExtraLife, 50);
    level.tileGrid[391][10] = Item;
    frames(1);
    EXPECT_EQ(level.tileGrid[391][10], 5);
    EXPECT_EQ(play.score, 100);
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_EQ(play.lives, 4);
    EXPECT_EQ(countSound("Sound/Geld.wav"), 3);  // points, key, life
}

TEST_F(Items, AKeyWithoutPointsSoundsOnceFromItsAction) {
    addItem(25, 0, itemActionKey, 0);
    level.tileGrid[391][10] = 25;
    frames(1);
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_EQ(countSound("Sound/Geld.wav"), 1);
}

TEST_F(Items, AReplacementThatIsAnItemIsTakenAgainNextFrame) {
    addItem(Item, 31, 0, 10);
    addItem(31, 0, 0, 1);
    level.tileGrid[391][10] = Item;
    frames(1);
    EXPECT_EQ(play.score, 10);
    frames(1);
    EXPECT_EQ(play.score, 11);
    EXPECT_EQ(level.tileGrid[391][10], 0);
}

TEST_F(Items, PickupRunsWhileJumping) {
    addItem(Item, 0, 0, 5);
    level.tileGrid[392][10] = Item;
    frames(3, {.space = true});
    EXPECT_EQ(play.score, 5);
    EXPECT_EQ(level.tileGrid[392][10], 0);
}

TEST_F(Items, TheLevelEndSwitchesToWonAndTheRestOfTheFrameStillRuns) {
    addItem(Item, 0, itemActionLevelEnd, 0);
    level.tileGrid[391][10] = Item;
    Enemy& e = placeEnemy(0, 0, 10.0f, 5.0f);
    e.minX = 0.0f;
    e.maxX = 20.0f;
    e.velocityX = 0.5f;
    frames(1, {.right = true});
    EXPECT_EQ(app.gameState, StateWon);
    EXPECT_FLOAT_EQ(heroX(), -0.85f);
    EXPECT_FLOAT_EQ(e.position.x, 10.5f);
    EXPECT_EQ(play.helpFrameCount, 1);  // the frame was drawn
}

TEST_F(Items, AGateOpensTheLowerColumnOfTheFirstRowFromTheHeroUp) {
    level.tileGrid[389][1] = cellGate;  // below the hero: not searched
    level.tileGrid[395][8] = cellGate;
    level.tileGrid[395][3] = cellGate;
    level.tileGrid[398][0] = cellGate;
    addItem(Item, 0, itemActionOpenGate, 0);
    level.tileGrid[391][10] = Item;
    frames(1);
    EXPECT_EQ(level.tileGrid[395][3], cellOpened);
    EXPECT_EQ(level.tileGrid[395][8], cellGate);
    EXPECT_EQ(level.tileGrid[398][0], cellGate);
    EXPECT_EQ(level.tileGrid[389][1], cellGate);
    EXPECT_EQ(countSound("Sound/pock.wav"), 1);

    play.heroRow = 396;
    openGate();
    EXPECT_EQ(level.tileGrid[398][0], cellOpened);
    openGate();  // none left at or above row 396
    EXPECT_EQ(countSound("Sound/pock.wav"), 2);
}

TEST_F(Items, ATableCountBeyondItsCapacityReadsOnlyTheTable) {
    itemTable.count = 1000;
    itemTable.code[49] = Item;
    itemTable.replacement[49] = 9;
    EXPECT_EQ(itemReplacement(Item), 9);
    EXPECT_EQ(itemReplacement(12345), 0);
    itemTable.count = -5;
    EXPECT_EQ(itemReplacement(Item), 0);
}

TEST_F(Items, PickupOutsideTheGridWritesNothing) {
    addItem(Item, 9, 0, 1);
    const auto before = level.tileGrid;
    play.heroRow = 400;
    play.heroCol = -1;
    pickUpItem(Item);
    EXPECT_EQ(level.tileGrid, before);
    EXPECT_EQ(play.score, 1);
}
