// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace tiefschacht {

struct Enemy;
class Game;

extern const std::array<float, 32> swayTable;

// One frame of motion by the enemy type's behaviour.
void updateEnemy(Enemy& enemy);
// True when an active enemy of a known type has its centre strictly inside
// the 2 x 2 square around the hero.
bool heroTouchesEnemy(const Game& game);

}  // namespace tiefschacht
