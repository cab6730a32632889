// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include "play/items.hpp"

#include <array>
#include <vector>

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

// An item taken where the hero stands: the first entry for its code gives
// its replacement cell and its points (with a sound unless they are
// negative), every entry for the code runs its action (a key or a life, each
// with a sound); a code without an entry becomes background and gives
// nothing, and a replacement that is an item is taken in the next frame.
TEST_F(Items, AnItemTakenGivesItsEntriesReplacementPointsAndActions) {
    struct Case {
        const char* what;
        std::vector<std::array<int32_t, 4>> entries;  // code, replacement, action, points
        int32_t cell;
        int frames;
        int32_t after, score, keys, lives, sounds;
    } const cases[] = {
        {"no entry", {{31, 5, itemActionKey, 100}}, Item, 1, 0, 0, 0, 3, 0},
        {"points", {{Item, 0, 0, 250}}, Item, 1, 0, 250, 0, 3, 1},
        {"negative points", {{Item, 0, 0, -40}}, Item, 1, 0, -40, 0, 3, 0},
        {"duplicates",
         {{Item, 5, itemActionKey, 100}, {Item, 7, itemActionExtraLife, 50}},
         Item,
         1,
         5,
         100,
         1,
         4,
         3},
        {"a key without points", {{25, 0, itemActionKey, 0}}, 25, 1, 0, 0, 1, 3, 1},
        {"an item as replacement", {{Item, 31, 0, 10}, {31, 0, 0, 1}}, Item, 2, 0, 11, 0, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        play = PlayState{};
        itemTable = ItemTable{};
        audioLog->effects.clear();
        for (const auto& [code, replacement, action, points] : c.entries)
            addItem(code, replacement, action, points);
        level.tileGrid[391][10] = c.cell;
        frames(c.frames);
        EXPECT_EQ(level.tileGrid[391][10], c.after);
        EXPECT_EQ(play.score, c.score);
        EXPECT_EQ(play.keyCount, c.keys);
        EXPECT_EQ(play.lives, c.lives);
        EXPECT_EQ(countSound("Sound/Geld.wav"), c.sounds);
        EXPECT_EQ(static_cast<int>(sounds().size()), c.sounds);
    }
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
