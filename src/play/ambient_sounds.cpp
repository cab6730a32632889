// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/ambient_sounds.hpp"
#include "play/play_state.hpp"
#include "services/sound.hpp"
#include "world/level.hpp"
#include "world/random.hpp"

namespace tiefschacht {

namespace {
// About 33 in 32768 per frame: the generator's 0..32767 spread over 0..2000.
bool rareChance() { return randomFloat(0.0f, 2000.0f) < 2.0f; }
}  // namespace

void playAmbientSounds() {
    const float scroll = level.levelOrigin.y;
    // Birds near the top, an owl in the upper part, ghosts and a vampire deeper
    // down. The band test comes first so that no number is drawn outside it.
    if (scroll < -365.0f && rareChance()) playSound(sound.bird1.get());
    if (scroll < -365.0f && rareChance()) playSound(sound.bird2.get());
    if (scroll > -365.0f && scroll < 0.0f && rareChance()) playSound(sound.owl.get());
    if (scroll > 0.0f && scroll < 200.0f && rareChance()) playSound(sound.ghost.get());
    if (scroll > 200.0f && rareChance()) playSound(sound.vampire.get());
}

void playMovementSounds() {
    const bool walking = play.walkingLeft || play.walkingRight;
    const bool climbing = play.climbingUp || play.climbingDown;
    const bool beat = play.animCounter == 32 || play.animCounter == 96;
    if (!play.inWater && walking && beat) playSound(sound.step.get());
    if (!play.inWater && climbing && beat) playSound(sound.climb.get());
    if (play.inWater && walking && play.animCounter == 32) playSound(sound.swim.get());
}

}  // namespace tiefschacht
