// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/fonts.hpp"

#include <string>

#include "services/app_state.hpp"
#include "services/graphics.hpp"

namespace tiefschacht {

Fonts fonts;

namespace {

constexpr const char* largeFace = "Times New Roman";
constexpr const char* smallFace = "Arial";

void giveFontItsResources(TextFont* font, GraphicsDevice* device) {
    if (!font) return;
    const std::string face = font->faceName.data();
    if (!succeeded(font->createGlyphAtlas(device)))
        failOnStartUp("the typeface \"" + face +
                      "\" cannot be rendered, so the game cannot show its text" +
                      (font->error.empty() ? "" : " (" + font->error + ")"));
    if (!succeeded(font->createDeviceResources()))
        failOnStartUp("the text of the typeface \"" + face +
                      "\" cannot be drawn: the graphics device refused its buffers");
}

}  // namespace

void createFonts() {
    fonts.largeFont = std::make_unique<TextFont>(largeFace, 20, FontBold);
    fonts.smallFont = std::make_unique<TextFont>(smallFace, 10, FontBold);
}

void createFontResources() {
    giveFontItsResources(fonts.largeFont.get(), theDevice());
    giveFontItsResources(fonts.smallFont.get(), theDevice());
}

void releaseFonts() {
    if (fonts.largeFont) fonts.largeFont->releaseAtlas();
    if (fonts.smallFont) fonts.smallFont->releaseAtlas();
    fonts.largeFont.reset();
    fonts.smallFont.reset();
}

}  // namespace tiefschacht
