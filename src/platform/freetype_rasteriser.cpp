// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
std::unique_ptr<GlyphRasteriser> createFreeTypeRasteriser() { return nullptr; }
