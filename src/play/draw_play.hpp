#pragma once
#include <cstdint>

#include "platform/math3d.hpp"

class Game;
class World;

void drawPlay(Game& game);
void drawTileGrid(World& world, const Vec3& origin);
void drawHeroFrame(World& world, const Vec3& position, int slot);
void drawEnemy(World& world, const Vec3& position, int32_t frame, bool alphaBlended);
void drawKeyIcon(World& world, const Vec3& position);
