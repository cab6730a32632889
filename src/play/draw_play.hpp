// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing the play screen: the tile grid around the hero, the hero, the
// enemies in view, then the display of lives, score and keys. Drawing reads
// the game and changes nothing of it.
#include <cstdint>

#include "platform/math3d.hpp"

namespace tiefschacht {

class Game;
class World;

// The whole play screen.
void drawPlay(const Game& game);
// The visible cells of the level, placed by the origin.
void drawTileGrid(const World& world, const Vec3& origin);
// One hero picture; textures clamped.
void drawHeroFrame(const World& world, const Vec3& position, int slot);
// One enemy picture, alpha-blended or additive; textures clamped. A frame
// outside the texture table draws nothing.
void drawEnemy(const World& world, const Vec3& position, int32_t frame, bool alphaBlended);
// The enemies in view.
void drawEnemiesInView(const Game& game);

}  // namespace tiefschacht
