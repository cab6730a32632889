// Placeholder until this part of the game is built.
#include "world/sprite_texture.hpp"
void SpriteTexture::setFileName(const char*) {}
void SpriteTexture::loadFromFile() {}
void SpriteTexture::createBlank(uint32_t, uint32_t, uint32_t, PixelFormat) {}
void applyColourKey(uint32_t*, size_t) {}
