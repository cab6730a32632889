// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/main_menu.hpp"

#include "screens/backdrop.hpp"
#include "screens/buttons.hpp"
#include "screens/new_game.hpp"
#include "screens/outside_actions.hpp"
#include "services/app_state.hpp"
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
    layOutButtons(game, {startButton, highscoreButton, quitButton, webSiteButton, manualButton});
}

void drawMainMenu(const Game& game) {
    if (!game.world) return;
    drawBackdrop(game.world->titleTexture.get());
    drawButtons(game, {startButton, highscoreButton, quitButton, webSiteButton, manualButton});
    drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace tiefschacht
