// Placeholder until this part of the game is built.
#include "play/quad.hpp"
void drawQuad(World&, const Vec3&, const SpriteTexture*) {}
void drawQuadAdditive(World&, const Vec3&, const SpriteTexture*) {}
