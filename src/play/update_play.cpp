// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/update_play.hpp"

#include "play/ambient_sounds.hpp"
#include "play/dying.hpp"
#include "play/enemies.hpp"
#include "play/hero_ground.hpp"
#include "play/items.hpp"
#include "play/jump.hpp"
#include "play/locate_hero.hpp"
#include "play/play_state.hpp"
#include "services/sound.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

void updatePlay(Game& game) {
    playAmbientSounds();
    playMovementSounds();

    if (play.animCounter > 0)
        play.animCounter -= animStep;
    else
        play.animCounter = 128;

    locateHero(game);
    // Every frame, jumping or not; the neighbours are not read again after.
    if (isItem(play.cellHere)) pickUpItem(play.cellHere);

    if (play.jumpCounter == -1) runGroundBlock(game);
    runJump(game);

    for (auto& enemy : game.enemies)
        if (enemy) updateEnemy(*enemy);

    if (heroTouchesEnemy(game) && play.deathTimer == 0) {
        play.deathTimer = 40;
        playSound(sound.death.get());
    }

    if (play.deathTimer > 0) runDying(game);

    // The instructions show in the first play frames after the program
    // starts; the count saturates, never wraps.
    if (play.helpFrameCount < INT32_MAX) play.helpFrameCount += 1;
}

// The hero stays at one height on screen: vertical motion moves the level
// and, with it, every enemy slot and its vertical range.
void scrollWorld(Game& game, float dy) {
    level.levelOrigin.y += dy;
    for (auto& enemy : game.enemies) {
        if (!enemy) continue;
        enemy->position.y += dy;
        enemy->maxY += dy;
        enemy->minY += dy;
    }
}

void moveHeroX(Game& game, float dx) {
    if (game.hero) game.hero->position.x += dx;
}

}  // namespace tiefschacht
