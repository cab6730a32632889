// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's two text fonts: made before start-up (their typefaces are
// chosen then), given their glyph atlases and device resources once the
// graphics device exists, and released before it.
#include <memory>

#include "drawing/text_font.hpp"

namespace tiefschacht {

struct Fonts {
    std::unique_ptr<TextFont> largeFont;  // "Times New Roman", 20, bold
    std::unique_ptr<TextFont> smallFont;  // "Arial", 10, bold
};

extern Fonts fonts;

void createFonts();
// Renders both atlases and makes the fonts' device resources on the graphics
// device. Text is the only way the game explains itself: a font that cannot
// be drawn ends the program (after shut-down) with a message naming the
// typeface and exit code 1.
void createFontResources();
// The atlases and device resources, then the fonts; skips what is absent.
void releaseFonts();

}  // namespace tiefschacht
