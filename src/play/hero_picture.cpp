// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/hero_picture.hpp"

#include "play/draw_play.hpp"
#include "play/play_state.hpp"
#include "world/game.hpp"

namespace tiefschacht {

// Every rule whose condition holds draws its picture, in this order. Walking
// left shows the pictures drawn facing left (the R set), walking right the L
// set. During a jump the flags of the take-off frame hold, so a jump from a
// ladder can show two pictures at once.
void drawHeroPicture(const Game& game) {
    if (!game.hero || !game.world) return;
    const World& world = *game.world;
    const Vec3& at = game.hero->position;
    const int32_t q = animationQuarter();
    const bool alive = play.deathTimer == 0;
    const bool dry = !play.inWater && alive;
    const bool wet = play.inWater && alive;
    const bool left = play.walkingLeft, right = play.walkingRight;
    const bool climbing = play.climbingUp || play.climbingDown;
    const bool anyMotion = left || right || climbing;

    if (dry && !anyMotion && !play.onLadder) drawHeroFrame(world, at, 0);
    if (dry && play.onLadder && !climbing) drawHeroFrame(world, at, 9);
    if (dry && left && !right) drawHeroFrame(world, at, 5 + q);
    if (dry && right) drawHeroFrame(world, at, 1 + q);
    if (dry && climbing) drawHeroFrame(world, at, 9 + q);
    if (wet && left && !right) drawHeroFrame(world, at, 17 + q);
    if (wet && right) drawHeroFrame(world, at, 13 + q);
    if (wet && !left && !right && play.animCounter > 64) drawHeroFrame(world, at, 21);
    if (wet && !left && !right && play.animCounter <= 64) drawHeroFrame(world, at, 22);
    if (play.deathTimer > 0) drawHeroFrame(world, at, 23);
}

}  // namespace tiefschacht
