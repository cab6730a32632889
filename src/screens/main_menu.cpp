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

constexpr int startButton = 5;
constexpr int highscoreButton = 6;
constexpr int quitButton = 7;
constexpr int webSiteButton = 9;
constexpr int manualButton = 10;

void drawMainMenu(Game& game) {
    DrawTimeScope drawing;
    if (!game.world) return;
    World& world = *game.world;
    if (theDevice()) drawQuad(world, {0.0f, 0.0f, backgroundDepth}, world.titleTexture.get());
    for (int i : {startButton, highscoreButton, quitButton, webSiteButton, manualButton})
        if (Button* b = buttonAt(game, i)) drawButton(world, *b);
    drawCursor(world, input.cursorWorldPos);
}

}  // namespace

void runMainMenu(Game& game) {
    // One button acts per frame: at lower resolutions the hit rectangles of
    // neighbouring buttons overlap, and a click must not both start a game
    // and leave it. The menu's buttons are never drawn pushed in.
    if (input.mouseDown) {
        switch (buttonUnderCursor(
            game, {startButton, highscoreButton, quitButton, webSiteButton, manualButton})) {
        case startButton:
            setGameState(StatePlaying);
            startNewGame(game);
            break;
        case highscoreButton: setGameState(StateHighscore); break;
        case quitButton: setGameState(StateExit); break;
        case webSiteButton: openWebSiteAndClose(); break;
        case manualButton: openManual(); break;
        default: break;
        }
    }
    drawMainMenu(game);
}

}  // namespace tiefschacht
