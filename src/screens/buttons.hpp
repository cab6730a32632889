// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The on-screen text buttons: drawing from their pieces, the hit rectangle
// they leave behind, the hit test against it, and the mouse cursor.
#include <initializer_list>

#include "platform/math3d.hpp"

namespace tiefschacht {

class Game;
class World;
struct Button;

// How much farther from the camera a held button lies.
constexpr float pressedDepthOffset = 0.5f;
// Distance between the centres of neighbouring pieces (the 2-unit quads
// overlap by 0.1).
constexpr float buttonPieceStep = 1.9f;
// Hit rectangle: this many pixels per piece wide and this high, at every
// resolution.
constexpr int buttonPiecePixels = 32;

// The button in a slot, or null for an empty or unknown slot.
Button* buttonAt(Game& game, int index);
const Button* buttonAt(const Game& game, int index);
// True when the slot holds a button whose press this frame's update saw.
bool buttonPressed(const Game& game, int index);

// True when the cursor lies strictly inside the button's screen rectangle
// (as the button's last drawing left it).
bool buttonHit(const Game& game, int index);
// Of the listed buttons whose rectangles hold the cursor, the one drawn
// under it, or -1 for none. A rectangle reaches past the right end of its
// drawn pieces at lower resolutions, into the next button of a row; the
// button whose rectangle starts nearest the cursor is the one the player
// sees there. Among equal starts the first listed wins.
int buttonUnderCursor(const Game& game, std::initializer_list<int> indices);
// Draws the pieces and the label of a button and writes its screenRect.
// Without a device or a font nothing is drawn, but screenRect is written.
void drawButton(World& world, Button& button);
void drawCursor(World& world, const Vec3& position);

}  // namespace tiefschacht
