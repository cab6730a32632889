// Placeholder until this part of the game is built.
#include "screens/text_font.hpp"
TextFont::TextFont(const char*, uint32_t h, uint32_t f) : height(h), flags(f) {}
TextFont::~TextFont() = default;
Status TextFont::createGlyphAtlas(GraphicsDevice*) { return StatusFail; }
Status TextFont::createDeviceResources() { return StatusFail; }
Status TextFont::drawText(float, float, float, float, float, uint32_t, const char*, uint32_t) { return StatusFail; }
void TextFont::releaseDeviceResources() {}
void TextFont::releaseAtlas() {}
