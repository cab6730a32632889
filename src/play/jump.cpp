// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/jump.hpp"
#include "play/play_state.hpp"
#include "play/update_play.hpp"
#include "services/input.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {
bool roomToJump() {
    const bool standing = !play.walkingLeft && !play.walkingRight;
    if (standing && !isSolid(play.cellAbove)) return true;
    if (play.walkingLeft && !isSolid(play.cellAboveLeft) && !isSolid(play.cellLeft)) return true;
    if (play.walkingRight && !isSolid(play.cellAboveRight) && !isSolid(play.cellRight)) return true;
    return false;
}
}  // namespace

// A jump runs sixteen frames through the jump table and keeps the direction
// of the take-off frame; the ground block is skipped meanwhile, and there is
// no ceiling test: only a solid side cell stops the sideways motion.
void runJump(Game& game) {
    if (input.keySpace && play.jumpCounter < 0 && !play.inWater && roomToJump())
        play.jumpCounter = 15;
    if (play.jumpCounter > -1) {
        if (play.jumpCounter < static_cast<int32_t>(jumpTable.size()))
            scrollWorld(game, -jumpTable[play.jumpCounter]);
        if (play.walkingLeft && !isSolid(play.cellLeft)) moveHeroX(game, -heroStep);
        if (play.walkingRight && !isSolid(play.cellRight)) moveHeroX(game, +heroStep);
        play.jumpCounter -= 1;
    }
}

}  // namespace tiefschacht
