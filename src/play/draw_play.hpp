// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "platform/math3d.hpp"

namespace tiefschacht {

class Game;
class World;

// The whole play screen.
void drawPlay(Game& game);
// The visible cells of the level, placed by the origin.
void drawTileGrid(World& world, const Vec3& origin);
// One hero picture; textures clamped.
void drawHeroFrame(World& world, const Vec3& position, int slot);
// One enemy picture, alpha-blended or additive; textures clamped. A frame
// outside the texture table draws nothing.
void drawEnemy(World& world, const Vec3& position, int32_t frame, bool alphaBlended);
void drawKeyIcon(World& world, const Vec3& position);

// The hero's picture for his state (two pictures during some jumps).
void drawHeroPicture(Game& game);
// The enemies in view.
void drawEnemiesInView(Game& game);
// Spare lives, score, keys and the instructions of the first play frames.
void drawSpareLives(World& world);
void drawScore();
void drawKeys(World& world);
void drawInstructions();

}  // namespace tiefschacht
