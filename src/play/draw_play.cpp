// Placeholder until this part of the game is built.
#include "play/draw_play.hpp"
void drawPlay(Game&) {}
void drawTileGrid(World&, const Vec3&) {}
void drawHeroFrame(World&, const Vec3&, int) {}
void drawEnemy(World&, const Vec3&, int32_t, bool) {}
void drawKeyIcon(World&, const Vec3&) {}
