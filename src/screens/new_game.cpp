// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/new_game.hpp"
#include "play/play_state.hpp"
#include "services/sound.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

void startNewGame(Game& game) {
    stopTitleMusic();
    play.score = 0;
    play.lives = 3;
    play.keyCount = 0;
    readLevel(levelFile);  // also puts the scroll back to the top
    // Only x: the hero's other fields keep what the last game left.
    if (game.hero) game.hero->position.x = -1.0f;
    readEnemies(enemiesFile, game.enemies);
    // A new set of enemies starts its animation cycle afresh.
    play.animCounter = 0;
}

}  // namespace tiefschacht
