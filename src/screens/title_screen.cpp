// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/buttons.hpp"
#include "screens/screens.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {

constexpr int playButton = 0;
constexpr int webSiteButton = 1;
constexpr int manualButton = 2;

void drawTitleScreen(Game& game) {
    DrawTimeScope drawing;
    refreshViewProjection();
    if (!game.world) return;
    for (int i : {playButton, webSiteButton, manualButton})
        if (Button* b = buttonAt(game, i)) drawButton(*game.world, *b);
    drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace

void runTitleScreen(Game& game) {
    for (int i : {playButton, webSiteButton, manualButton}) {
        Button* b = buttonAt(game, i);
        if (!b) continue;
        b->pressed = false;
        if (input.mouseDown && buttonHit(game, i)) b->pressed = true;
    }

    if (buttonPressed(game, playButton)) setGameState(StateMainMenu);
    if (buttonPressed(game, webSiteButton)) openWebSiteAndClose();
    // The mouse button is a level: held over the button, the request is made
    // again every frame (the desktop shell opens it once per press).
    if (buttonPressed(game, manualButton)) openManual();

    drawTitleScreen(game);
}

}  // namespace tiefschacht
