// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/exit_screen.hpp"

#include "screens/buttons.hpp"
#include "screens/outside_actions.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {
constexpr int webSiteButton = 3;
constexpr int quitButton = 4;
}  // namespace

void runExitScreen(Game& game) {
    for (int i : {webSiteButton, quitButton}) {
        Button* b = buttonAt(game, i);
        if (!b) continue;
        b->pressed = false;
        if (input.mouseDown && buttonHit(game, i)) b->pressed = true;
    }

    if (buttonPressed(game, quitButton)) requestClose();
    if (buttonPressed(game, webSiteButton)) openWebSiteAndClose();

    layOutButtons(game, {webSiteButton, quitButton});
}

void drawExitScreen(const Game& game) {
    if (!game.world) return;
    drawButtons(game, {webSiteButton, quitButton});
    drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace tiefschacht
