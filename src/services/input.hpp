// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard and the mouse: the input globals the polls publish, the
// devices' set-up and release, and the polls themselves. The polls only read:
// what the game does with the keys is in key_rules.hpp.
#include <array>
#include <cstdint>

#include "platform/math3d.hpp"
#include "platform/seams.hpp"

namespace tiefschacht {

constexpr float cursorStep = 0.05f;
// The arrow's tip is the top-left corner of the cursor's 2 x 2 quad: this far
// left of and above the cursor's position, in world units.
constexpr float cursorTipOffset = 1.0f;
constexpr int nameCapacity = 14;

struct InputState {
    KeyboardSnapshot keyState{};
    MouseSnapshot mouseState{};

    bool keyUp = false, keyDown = false, keyLeft = false, keyRight = false, keySpace = false;
    bool enterDown = false;
    bool mouseDown = false;
    Vec3 cursorWorldPos{0.0f, 0.0f, 60.0f};
    float cursorScreenX = 0.0f, cursorScreenY = 0.0f;  // cursorScreenPos
    int32_t masterVolume = 0;
    // Where the device's pointer was at the last poll (pixels of the frame).
    bool pointerKnown = false;
    float pointerX = 0.0f, pointerY = 0.0f;

    std::array<char, 200> nameBuffer{};  // only the first 14 characters are used
    int32_t nameLength = 0;

    std::array<bool, 26> letterLatch{};
    bool backspaceLatch = false;
    bool pauseLatch = false;

    bool devicesCreated = false;
    // The window has the keyboard focus. Without it the polls read no key,
    // no button and no motion: what the player does in other windows is not
    // meant for the game.
    bool windowFocused = true;
    // Leaving the window during play pauses the game with a press of Pause
    // in the next keyboard poll, so a recording of the game pauses there too.
    bool pauseOnLeaving = false;
};

extern InputState input;

// Returns 0 on success, 1 on failure (after the message box when the
// keyboard or the mouse is missing).
int initInput();
// The mouse: the snapshot, the cursor on the menu plane moved by its counts
// (kept on the screen) with its projection, and the left button.
void pollMouse();
// The keyboard: the snapshot and the held-key flags.
void pollKeyboard();
// Whether the last keyboard poll found the key down.
bool keyHeld(uint8_t code);
void releaseInput();

// Reads the keyboard; when that fails the device is acquired again and the
// snapshot keeps whatever it held. True when the read succeeded.
bool readKeyboardWithReacquire(InputDevices& devices, KeyboardSnapshot& snapshot);

// The same for the mouse; the caller clears the snapshot first, so a failed
// read leaves the mouse unmoved with no button down.
bool readMouseWithReacquire(InputDevices& devices, MouseSnapshot& snapshot);

}  // namespace tiefschacht
