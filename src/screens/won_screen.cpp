// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/quad.hpp"
#include "screens/buttons.hpp"
#include "screens/screens.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace {

// The main menu's "Spiel beenden", which here leads on to the list.
constexpr int onwardButton = 7;

void drawWonScreen(Game& game) {
    DrawTimeScope drawing;
    if (!game.world) return;
    World& world = *game.world;
    if (theDevice()) drawQuad(world, {0.0f, 0.0f, backgroundDepth}, world.wonTexture.get());
    if (Button* b = buttonAt(game, onwardButton)) drawButton(world, *b);
    drawCursor(world, input.cursorWorldPos);
}

}  // namespace

void runWonScreen(Game& game) {
    // The score of the finished game stays set for the highscore screen.
    if (input.mouseDown && buttonHit(game, onwardButton)) setGameState(StateHighscore);
    drawWonScreen(game);
}

}  // namespace tiefschacht
