// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/won_screen.hpp"

#include "screens/backdrop.hpp"
#include "screens/buttons.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace {
// The main menu's "Spiel beenden", which here leads on to the list.
constexpr int onwardButton = 7;
}  // namespace

void runWonScreen(Game& game) {
    // The score of the finished game stays set for the highscore screen.
    if (input.mouseDown && buttonHit(game, onwardButton)) setGameState(StateHighscore);
    layOutButtons(game, {onwardButton});
}

void drawWonScreen(const Game& game) {
    if (!game.world) return;
    drawBackdrop(game.world->wonTexture.get());
    drawButtons(game, {onwardButton});
    drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace tiefschacht
