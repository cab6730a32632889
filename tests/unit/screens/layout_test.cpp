// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons as the screens lay them out: the projected rectangles, their
// sizes at both resolutions, and what a click where a button is drawn does.
#include <utility>

#include "screens/buttons.hpp"
#include "screens/exit_screen.hpp"
#include "screens/main_menu.hpp"
#include "screens/title_screen.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "unit/screens/fixture.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

using LayoutTest = ScreenTest;

TEST_F(LayoutTest, LayoutWritesTheProjectedRectangle) {
    Button& b = button(0);
    layOutButton(b);
    const ScreenPoint p = projectToScreen(*b.position);
    EXPECT_NEAR(p.x, 311.1f, 0.5f);  // (-13, 4, 60) at 1024 x 768
    EXPECT_NEAR(p.y, 322.2f, 0.5f);
    EXPECT_EQ(b.screenRect.left, static_cast<int>(p.x));
    EXPECT_EQ(b.screenRect.top, static_cast<int>(p.y));
    EXPECT_EQ(b.screenRect.right - b.screenRect.left, 16 * 32);
    EXPECT_EQ(b.screenRect.bottom - b.screenRect.top, 32);
}

TEST_F(LayoutTest, OneSegmentButtonIsThirtyTwoPixelsWide) {
    Button b(0.0f, 0.0f, 1, 0.0f, "X");
    layOutButton(b);
    // (0, 0, 60) projects onto the screen centre.
    EXPECT_EQ(b.screenRect.left, 512);
    EXPECT_EQ(b.screenRect.top, 384);
    EXPECT_EQ(b.screenRect.right, 512 + 32);
    EXPECT_EQ(b.screenRect.bottom, 384 + 32);
}

TEST_F(LayoutTest, PressedButtonLiesDeeperUntilLaidOutUnpressed) {
    Button& b = button(1);  // left of and below the centre
    b.pressed = 1;
    layOutButton(b);
    EXPECT_FLOAT_EQ(b.position->z, 60.5f);
    const ScreenRect pressedRect = b.screenRect;
    b.pressed = 0;
    layOutButton(b);
    EXPECT_FLOAT_EQ(b.position->z, 60.0f);
    // Farther away, the left piece's centre lies nearer the screen centre;
    // the rectangle keeps its size.
    EXPECT_GT(pressedRect.left, b.screenRect.left);
    EXPECT_LT(pressedRect.top, b.screenRect.top);
    EXPECT_EQ(pressedRect.right - pressedRect.left, b.screenRect.right - b.screenRect.left);
    EXPECT_FLOAT_EQ(b.position->x, -13.0f);
    EXPECT_FLOAT_EQ(b.position->y, -6.0f);
}

TEST_F(LayoutTest, RectanglesKeepTheirPixelSizeAtBothResolutions) {
    for (int i : {0, 5, 8}) {
        Button& b = button(i);
        useCamera(1024, 768);
        layOutButton(b);
        const ScreenRect large = b.screenRect;
        useCamera(800, 600);
        layOutButton(b);
        const ScreenRect small = b.screenRect;
        EXPECT_EQ(large.right - large.left, small.right - small.left) << "button " << i;
        EXPECT_EQ(large.bottom - large.top, small.bottom - small.top) << "button " << i;
        EXPECT_EQ(small.right - small.left, 32 * b.segments);
        // The anchor follows the resolution.
        EXPECT_NEAR(small.left, large.left * 800.0 / 1024.0, 1.5) << "button " << i;
        EXPECT_NEAR(small.top, large.top * 600.0 / 768.0, 1.5) << "button " << i;
    }
}

TEST_F(LayoutTest, FarOffButtonsSaturateInsteadOfOverflowing) {
    Button b(1.0e12f, -1.0e12f, 1000, 0.0f, "far");
    layOutButton(b);
    EXPECT_LE(b.screenRect.left, b.screenRect.right);
    EXPECT_LE(b.screenRect.top, b.screenRect.bottom);
}

namespace {

bool overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST_F(LayoutTest, TitleAndExitButtonsNeverOverlapAsLaidOut) {
    for (auto [w, h] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        useCamera(w, h);
        runTitleScreen(*game);
        runExitScreen(*game);
        EXPECT_FALSE(overlap(button(0).screenRect, button(1).screenRect)) << w;
        EXPECT_FALSE(overlap(button(0).screenRect, button(2).screenRect)) << w;
        EXPECT_FALSE(overlap(button(1).screenRect, button(2).screenRect)) << w;
        EXPECT_FALSE(overlap(button(3).screenRect, button(4).screenRect)) << w;
        for (int i = 0; i <= 4; ++i) {
            EXPECT_GT(button(i).screenRect.left, 0) << i;
            EXPECT_LT(button(i).screenRect.right, w) << i;
        }
    }
}

TEST_F(LayoutTest, EveryButtonWorksWhereItIsDrawn) {
    writeNewGameFiles();
    for (auto [w, h] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        for (int target : {5, 6, 7, 9, 10}) {
            app = AppState{};
            app.gameState = StateMainMenu;
            shell->log.clear();
            useCamera(w, h);
            input.mouseDown = 0;
            runMainMenu(*game);
            // The cursor a few pixels right of the left piece's centre: on
            // the drawn button at every resolution.
            const ScreenRect& r = button(target).screenRect;
            input.cursorScreenX = static_cast<float>(r.left) + 4.0f;
            input.cursorScreenY = static_cast<float>(r.top) + 4.0f;
            input.mouseDown = 1;
            runMainMenu(*game);
            const int32_t expected = target == 5   ? StatePlaying
                                     : target == 6 ? StateHighscore
                                     : target == 7 ? StateExit
                                                   : StateMainMenu;
            EXPECT_EQ(app.gameState, expected) << w << " button " << target;
            EXPECT_EQ(shell->log.size(), target >= 9 ? 1u : 0u) << w << " button " << target;
            EXPECT_EQ(app.closeRequested, target == 9) << w << " button " << target;
        }
    }
}

TEST_F(LayoutTest, OverlappingRectanglesActOnlyOnTheButtonUnderTheCursor) {
    useCamera(800, 600);
    app.gameState = StateMainMenu;
    runMainMenu(*game);
    const ScreenRect& start = button(5).screenRect;
    const ScreenRect& web = button(9).screenRect;
    // At this resolution the 32-pixel pieces of the hit rectangle are wider
    // than the drawn pieces, so the rectangles of a row run into each other.
    ASSERT_TRUE(overlap(start, web));
    play.score = 99;
    input.cursorScreenX = static_cast<float>(web.left) + 2.0f;
    input.cursorScreenY = static_cast<float>(web.top) + 16.0f;
    ASSERT_TRUE(buttonHit(*game, 5));
    input.mouseDown = 1;
    runMainMenu(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);  // no new game was started
    EXPECT_EQ(play.score, 99);
    ASSERT_EQ(shell->log.size(), 1u);
    EXPECT_TRUE(app.closeRequested);
}
