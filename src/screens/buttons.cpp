// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/buttons.hpp"

#include <cmath>
#include <cstdint>

#include "drawing/fonts.hpp"
#include "drawing/quad.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace {

constexpr uint32_t labelShadowColour = 0xFF000000;
constexpr uint32_t labelColour = 0xFFFAFAFA;
constexpr float labelDepth = 0.9f;
constexpr float labelXScale = 0.03f;
constexpr float labelYScale = 0.02f;
constexpr float labelShadowShift = 0.002f;
// The label's top edge lies this far above the projected centre of the left
// piece, so the line sits on the middle of the row.
constexpr float labelRaise = 0.02f;

// Sums that may leave the int range saturate instead of wrapping.
int32_t addClamped(int32_t a, int64_t b) {
    int64_t s = static_cast<int64_t>(a) + b;
    if (s > INT32_MAX) return INT32_MAX;
    if (s < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(s);
}

void drawPieces(const World& world, const Button& button) {
    const Vec3 start = *button.position;
    setTextureClamping(true);
    drawQuad(start, world.buttonLeftTexture.get());
    float x = start.x;
    for (int32_t i = 0; i < button.segments - 2; ++i) {
        x += buttonPieceStep;
        drawQuad({x, start.y, start.z}, world.buttonMidTexture.get());
    }
    x += buttonPieceStep;
    drawQuad({x, start.y, start.z}, world.buttonRightTexture.get());
    setTextureClamping(false);
}

void drawLabel(const Button& button, ScreenPoint projected) {
    TextFont* font = fonts.largeFont.get();
    const int32_t w = settings.screenWidth;
    const int32_t h = settings.screenHeight;
    if (!font || w <= 0 || h <= 0) return;
    // The label is placed from the screen's centre pixel (whole pixels).
    const int32_t centreX = w / 2;
    const int32_t centreY = h / 2;
    const float tx = (projected.x - static_cast<float>(centreX)) / (static_cast<float>(w) * 0.5f) +
                     button.labelOffset;
    const float ty =
        (projected.y - static_cast<float>(centreY)) / (static_cast<float>(h) * 0.5f) - labelRaise;
    font->drawText(tx + labelShadowShift, ty + labelShadowShift, labelDepth, labelXScale,
                   labelYScale, labelShadowColour, button.label.data(), TextFiltered);
    font->drawText(tx, ty, labelDepth, labelXScale, labelYScale, labelColour, button.label.data(),
                   TextFiltered);
}

}  // namespace

Button* buttonAt(Game& game, int index) {
    if (index < 0 || index >= buttonSlotCount) return nullptr;
    return game.buttons[static_cast<size_t>(index)].get();
}

const Button* buttonAt(const Game& game, int index) {
    if (index < 0 || index >= buttonSlotCount) return nullptr;
    return game.buttons[static_cast<size_t>(index)].get();
}

bool buttonPressed(const Game& game, int index) {
    const Button* button = buttonAt(game, index);
    return button && button->pressed;
}

bool buttonHit(const Game& game, int index) {
    const Button* button = buttonAt(game, index);
    if (!button) return false;
    const float cx = input.cursorScreenX;
    const float cy = input.cursorScreenY;
    const ScreenRect& r = button->screenRect;
    if (!(static_cast<float>(r.top) < cy)) return false;
    if (!(static_cast<float>(r.bottom) > cy)) return false;
    if (!(static_cast<float>(r.left) < cx)) return false;
    if (!(static_cast<float>(r.right) > cx)) return false;
    return true;
}

int buttonUnderCursor(const Game& game, std::initializer_list<int> indices) {
    int found = -1;
    for (int i : indices) {
        if (!buttonHit(game, i)) continue;
        if (found < 0 ||
            buttonAt(game, i)->screenRect.left > buttonAt(game, found)->screenRect.left)
            found = i;
    }
    return found;
}

void layOutButton(Button& button) {
    if (!button.position) return;
    button.position->z = button.pressed ? menuPlaneZ + pressedDepthOffset : menuPlaneZ;
    const ScreenPoint projected = projectToScreen(*button.position);
    const int32_t left = truncToInt(projected.x);
    const int32_t top = truncToInt(projected.y);
    button.screenRect.left = left;
    button.screenRect.top = top;
    button.screenRect.right =
        addClamped(left, static_cast<int64_t>(buttonPiecePixels) * button.segments);
    button.screenRect.bottom = addClamped(top, buttonPiecePixels);
}

void drawButton(const World& world, const Button& button) {
    if (!button.position || !theDevice()) return;
    drawPieces(world, button);
    drawLabel(button, projectToScreen(*button.position));
}

void layOutButtons(Game& game, std::initializer_list<int> indices) {
    for (int i : indices)
        if (Button* b = buttonAt(game, i)) layOutButton(*b);
}

void drawButtons(const Game& game, std::initializer_list<int> indices) {
    if (!game.world) return;
    for (int i : indices)
        if (const Button* b = buttonAt(game, i)) drawButton(*game.world, *b);
}

// The picture is centred on the tested point with the arrow's tip in its
// top-left texel, so the tip lies half a quad up and left of that point: the
// same offset as a button's drawn row from its hit rectangle, whose corner
// is the projected centre of the row's left piece. Pointing the tip at a
// label thus tests a point inside the button's rectangle. Clamped sampling
// keeps the opposite edge out of the tip's filtering.
void drawCursor(const World& world, const Vec3& position) {
    if (!theDevice()) return;
    setTextureClamping(true);
    drawQuad(position, world.cursorTexture.get());
    setTextureClamping(false);
}

}  // namespace tiefschacht
