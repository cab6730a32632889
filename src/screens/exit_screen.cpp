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

constexpr int webSiteButton = 3;
constexpr int quitButton = 4;

void drawExitScreen(Game& game) {
    DrawTimeScope drawing;
    refreshViewProjection();
    if (!game.world) return;
    for (int i : {webSiteButton, quitButton})
        if (Button* b = buttonAt(game, i)) drawButton(*game.world, *b);
    drawCursor(*game.world, input.cursorWorldPos);
}

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

    drawExitScreen(game);
}

}  // namespace tiefschacht
