// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/dying.hpp"

#include "play/play_state.hpp"
#include "play/snapping.hpp"
#include "play/update_play.hpp"
#include "services/app_state.hpp"
#include "services/sound.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {
// Puts the hero on the first checkpoint found from his row upwards, each row
// scanned from the left; without one he stays where he died.
void respawn(Game& game) {
    const int32_t firstRow = play.heroRow < 0 ? 0 : play.heroRow;
    for (int32_t row = firstRow; row < levelRows; ++row) {
        for (int32_t col = 0; col < levelColumns; ++col) {
            if (cellAt(row, col) != cellCheckpoint) continue;
            moveHeroX(game, static_cast<float>((static_cast<int64_t>(col) - play.heroCol) * 2));
            scrollWorld(game, static_cast<float>((static_cast<int64_t>(play.heroRow) - row) * 2));
            snapToRowCentre(game);
            snapToColumnCentre(game);
            return;
        }
    }
}
}  // namespace

void runDying(Game& game) {
    play.deathTimer -= 1;
    if (play.deathTimer == 0) {
        play.onLadder = false;
        play.lives -= 1;
        if (play.lives < 0) {
            setGameState(StateHighscore);
            startTitleMusic();
        }
        respawn(game);  // also after the last life
    }
}

}  // namespace tiefschacht
