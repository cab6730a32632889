// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/title_screen.hpp"

#include "screens/buttons.hpp"
#include "screens/outside_actions.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {
constexpr int playButton = 0;
constexpr int webSiteButton = 1;
constexpr int manualButton = 2;
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

    layOutButtons(game, {playButton, webSiteButton, manualButton});
}

void drawTitleScreen(const Game& game) {
    if (!game.world) return;
    drawButtons(game, {playButton, webSiteButton, manualButton});
    drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace tiefschacht
