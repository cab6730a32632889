// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/buttons.hpp"

#include <cmath>

#include "unit/screens/fixture.hpp"

using namespace tiefschacht;

using ButtonTest = ScreenTest;

TEST_F(ButtonTest, HitTestIsStrictOnEveryEdge) {
    button(0).screenRect = {100, 200, 164, 232};
    auto hitAt = [&](float x, float y) {
        input.cursorScreenX = x;
        input.cursorScreenY = y;
        return buttonHit(*game, 0);
    };
    EXPECT_TRUE(hitAt(132.0f, 216.0f));
    EXPECT_TRUE(hitAt(100.01f, 200.01f));
    EXPECT_TRUE(hitAt(163.99f, 231.99f));
    // On an edge is outside, on each of the four.
    EXPECT_FALSE(hitAt(100.0f, 216.0f));
    EXPECT_FALSE(hitAt(164.0f, 216.0f));
    EXPECT_FALSE(hitAt(132.0f, 200.0f));
    EXPECT_FALSE(hitAt(132.0f, 232.0f));
    // Beyond each edge.
    EXPECT_FALSE(hitAt(99.0f, 216.0f));
    EXPECT_FALSE(hitAt(165.0f, 216.0f));
    EXPECT_FALSE(hitAt(132.0f, 199.0f));
    EXPECT_FALSE(hitAt(132.0f, 233.0f));
    // A cursor that is not a number hits nothing.
    EXPECT_FALSE(hitAt(NAN, 216.0f));
    EXPECT_FALSE(hitAt(132.0f, NAN));
}

TEST_F(ButtonTest, UndrawnOrMissingButtonsAreNeverHit) {
    input.cursorScreenX = 0.0f;
    input.cursorScreenY = 0.0f;
    EXPECT_FALSE(buttonHit(*game, 5));  // rectangle still all zero
    input.cursorScreenX = 5.0f;
    EXPECT_FALSE(buttonHit(*game, 5));
    EXPECT_FALSE(buttonHit(*game, 11));  // empty slot
    EXPECT_FALSE(buttonHit(*game, -1));
    EXPECT_FALSE(buttonHit(*game, 15));
    EXPECT_EQ(buttonAt(*game, 15), nullptr);
}
