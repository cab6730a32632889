// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hero on the ground, on a ladder or in water: everything a frame does
// while no jump is running.
#include "play/hero_ground.hpp"
#include "play/play_state.hpp"
#include "play/snapping.hpp"
#include "play/update_play.hpp"
#include "services/input.hpp"
#include "services/sound.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {

// Spends a key on a locked door at (row, col); the cell becomes a passage.
void openDoorWithKey(int32_t code, int32_t row, int32_t col) {
    if (code != cellDoor || play.keyCount <= 0) return;
    setCell(row, col, cellOpened);
    play.keyCount -= 1;
    playSound(sound.door.get());
}

void updateWater() {
    if (isWater(play.cellHere)) {
        if (!play.inWater) playSound(sound.drip.get());
        play.inWater = true;
    } else {
        play.inWater = false;
    }
}

// The motion flags still hold last frame's values: take back what that
// motion did wrong, or lift the hero onto a one-cell obstacle.
void correctLastMotion(Game& game) {
    if (!play.inWater && !isLadder(play.cellHere) && play.climbingUp)
        scrollWorld(game, +heroStep);  // climbed off the top of a ladder
    if (isSolid(play.cellHere) && play.climbingDown) scrollWorld(game, -heroStep);

    if (isSolid(play.cellHere) && play.walkingLeft) {
        openDoorWithKey(play.cellHere, play.heroRow, play.heroCol);
        moveHeroX(game, +heroStep);
        if (!isSolid(play.cellAbove)) {
            moveHeroX(game, -heroStep);
            scrollWorld(game, -2.0f);
            stepUpSnap(game);
        }
    }
    if (isSolid(play.cellHere) && play.walkingRight) {
        openDoorWithKey(play.cellHere, play.heroRow, play.heroCol);
        moveHeroX(game, -heroStep);
        if (!isSolid(play.cellAbove)) {
            moveHeroX(game, +heroStep);
            scrollWorld(game, -2.0f);
            stepUpSnap(game);
        }
    }
}

// The column beside the hero's; an extreme column wraps to one outside the
// grid instead of overflowing.
int32_t columnBeside(int32_t d) {
    return static_cast<int32_t>(static_cast<uint32_t>(play.heroCol) + static_cast<uint32_t>(d));
}

bool nearLadder() {
    return isLadder(play.cellBelow) || isLadder(play.cellHere) || isLadder(play.cellAbove);
}

// One horizontal key: `walking` is the flag of that direction, `side` the
// cell on that side and `sideCol` its column.
void walkKey(Game& game, bool& walking, int32_t side, int32_t sideCol) {
    walking = true;
    if (play.inWater) return;
    if (nearLadder()) {
        if (isSolid(side) && play.onLadder) walking = false;  // no stepping off into a wall
        openDoorWithKey(side, play.heroRow, sideCol);         // a door beside a ladder
    }
    if (play.onLadder && walking) snapToRowCentre(game);
    if (walking) play.onLadder = false;
}

void grabLadder(Game& game) {
    if (!play.onLadder) {
        play.walkingLeft = false;
        play.walkingRight = false;
        snapToColumnCentre(game);
    }
    play.onLadder = true;
}

void verticalKeys(Game& game) {
    if (input.keyUp) {
        if (play.inWater) {
            play.climbingUp = true;
            if (!isLadder(play.cellAbove) && !isWater(play.cellAbove) &&
                atUpperStop(level.levelOrigin.y))
                play.climbingUp = false;  // the highest water row
        } else if (nearLadder()) {
            play.climbingUp = true;
            grabLadder(game);
            if (isSolid(play.cellAbove) && atUpperStop(level.levelOrigin.y))
                play.climbingUp = false;  // head against a solid cell
        }
    }
    if (input.keyDown) {
        if (play.inWater) {
            play.climbingDown = true;
            if (isSolid(play.cellBelow) && atLowerStop(level.levelOrigin.y))
                play.climbingDown = false;
        } else if (nearLadder()) {
            play.climbingDown = true;
            grabLadder(game);
            if (isSolid(play.cellBelow) && atLowerStop(level.levelOrigin.y))
                play.climbingDown = false;  // feet on solid ground
        }
    }
}

void clearMotionFlags() {
    play.climbingDown = false;
    play.climbingUp = false;
    play.walkingLeft = false;
    play.walkingRight = false;
}

}  // namespace

void runGroundBlock(Game& game) {
    updateWater();
    correctLastMotion(game);
    clearMotionFlags();

    if (input.keyLeft) walkKey(game, play.walkingLeft, play.cellLeft, columnBeside(-1));
    if (input.keyRight) walkKey(game, play.walkingRight, play.cellRight, columnBeside(+1));
    verticalKeys(game);

    // Nothing but ladders and solid cells carries the hero; he drops a whole
    // cell per frame. In water he floats.
    if (!carriesHero(play.cellBelow) && !play.inWater) {
        clearMotionFlags();
        scrollWorld(game, +2.0f);
    }

    if (play.walkingLeft) moveHeroX(game, -heroStep);
    if (play.walkingRight) moveHeroX(game, +heroStep);
    if (play.climbingUp) scrollWorld(game, -heroStep);
    if (play.climbingDown) scrollWorld(game, +heroStep);
}

}  // namespace tiefschacht
