// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/snapping.hpp"

#include <cmath>
#include <limits>

#include "play/update_play.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {
bool isEven(int64_t r) { return r % 2 == 0; }
}  // namespace

void snapToRowCentre(Game& game) {
    const float scroll = level.levelOrigin.y;
    const int64_t r = truncToInt(scroll);
    int64_t target = r;
    if (!isEven(r)) target = scroll < 0.0f ? r - 1 : r + 1;
    scrollWorld(game, static_cast<float>(target) - scroll);
}

void stepUpSnap(Game& game) {
    const float scroll = level.levelOrigin.y;
    const int64_t r = truncToInt(scroll);
    const int64_t target = isEven(r) ? r : r - 1;
    scrollWorld(game, static_cast<float>(target) - scroll);
}

void snapToColumnCentre(Game& game) {
    const float x = game.hero->position.x;
    const int64_t t = truncToInt(x);
    int64_t target = t;
    if (isEven(t)) target = t > 0 ? t + 1 : t - 1;
    moveHeroX(game, static_cast<float>(target) - x);
}

bool atUpperStop(float scroll) {
    const bool even = isEven(truncToInt(scroll));
    return scroll < 0.0f ? even : !even;
}

bool atLowerStop(float scroll) {
    const bool even = isEven(truncToInt(scroll));
    return scroll < 0.0f ? !even : even;
}

}  // namespace tiefschacht
