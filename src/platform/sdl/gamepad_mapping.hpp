// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a game controller drives the keyboard and mouse snapshots: the d-pad or
// the left stick act as the arrow keys, A as Space, Start as Pause, Back as
// Escape; the left stick also moves the cursor, and A is the left button.
#include <cstdint>

#include "platform/seams.hpp"

namespace tiefschacht {

struct GamepadReading {
    int16_t leftX = 0;  // -32768 (left) .. 32767 (right)
    int16_t leftY = 0;  // -32768 (up) .. 32767 (down)
    bool dpadUp = false, dpadDown = false, dpadLeft = false, dpadRight = false;
    bool buttonA = false, buttonStart = false, buttonBack = false;
};

// Sets the keys the controller holds (adds to what the keyboard holds).
void addGamepadKeys(const GamepadReading& pad, KeyboardSnapshot& keys);

// Mouse counts per poll for one stick axis: none inside the dead zone, then
// rising with the square of the deflection to a full-tilt speed, so small
// deflections aim finely and full tilt crosses the screen in about a second.
float stickCursorCounts(int16_t axis);

// Adds the cursor motion of one poll to the mouse snapshot; `carryX/Y` keep
// the fractions of a count between polls so slow motion is not lost.
void addGamepadMouse(const GamepadReading& pad, MouseSnapshot& mouse, float& carryX, float& carryY);

}  // namespace tiefschacht
