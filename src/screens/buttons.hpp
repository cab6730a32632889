// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The on-screen text buttons: their layout (depth and hit rectangle), the
// hit test against it, drawing them from their pieces, and the mouse cursor.
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
// (as the button's last layout left it).
bool buttonHit(const Game& game, int index);
// Of the listed buttons whose rectangles hold the cursor, the one drawn
// under it, or -1 for none. A rectangle reaches past the right end of its
// drawn pieces at lower resolutions, into the next button of a row; the
// button whose rectangle starts nearest the cursor is the one the player
// sees there. Among equal starts the first listed wins.
int buttonUnderCursor(const Game& game, std::initializer_list<int> indices);
// Lays out the buttons of the listed slots (empty slots are skipped): a held
// button lies farther from the camera, and its screen rectangle, which the
// next frame's hit tests read, starts at the projected centre of its left
// piece.
void layOutButtons(Game& game, std::initializer_list<int> indices);
void layOutButton(Button& button);
// Draws the pieces and the label of each listed button where its layout put
// it. Without a device or a font nothing is drawn.
void drawButtons(const Game& game, std::initializer_list<int> indices);
void drawButton(const World& world, const Button& button);
void drawCursor(const World& world, const Vec3& position);

}  // namespace tiefschacht
