// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/gamepad_mapping.hpp"

#include <cmath>
#include <cstdlib>

#include "platform/key_codes.hpp"

namespace tiefschacht {

namespace {

// A stick counts as an arrow beyond about half of its travel.
constexpr int arrowThreshold = 16000;
// Sticks rarely rest at exactly zero.
constexpr int cursorDeadZone = 8000;
// At 0.05 world units per count, the menu plane's height is about a thousand
// counts; 16 counts per frame crosses it in about a second at 60 frames.
constexpr float fullTiltCounts = 16.0f;

void hold(KeyboardSnapshot& keys, uint8_t code) { keys[code] |= keyDownBit; }

int32_t takeWholeCounts(float& carry) {
    const float whole = std::trunc(carry);
    carry -= whole;
    return static_cast<int32_t>(whole);
}

}  // namespace

void addGamepadKeys(const GamepadReading& pad, KeyboardSnapshot& keys) {
    if (pad.dpadUp || pad.leftY <= -arrowThreshold) hold(keys, KeyUp);
    if (pad.dpadDown || pad.leftY >= arrowThreshold) hold(keys, KeyDown);
    if (pad.dpadLeft || pad.leftX <= -arrowThreshold) hold(keys, KeyLeft);
    if (pad.dpadRight || pad.leftX >= arrowThreshold) hold(keys, KeyRight);
    if (pad.buttonA) hold(keys, KeySpace);
    if (pad.buttonStart) hold(keys, KeyPause);
    if (pad.buttonBack) hold(keys, KeyEscape);
}

float stickCursorCounts(int16_t axis) {
    const int magnitude = std::abs(static_cast<int>(axis));
    if (magnitude <= cursorDeadZone) return 0.0f;
    const float t = std::fmin(1.0f, static_cast<float>(magnitude - cursorDeadZone) /
                                        static_cast<float>(32767 - cursorDeadZone));
    const float counts = t * t * fullTiltCounts;
    return axis < 0 ? -counts : counts;
}

void addGamepadMouse(const GamepadReading& pad, MouseSnapshot& mouse, float& carryX,
                     float& carryY) {
    carryX += stickCursorCounts(pad.leftX);
    carryY += stickCursorCounts(pad.leftY);
    mouse.dx += takeWholeCounts(carryX);
    mouse.dy += takeWholeCounts(carryY);
    if (pad.buttonA) mouse.buttons[0] |= 0x80;
}

}  // namespace tiefschacht
