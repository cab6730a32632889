// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard and the mouse: creating and acquiring the devices, reading
// them (acquiring again after a lost read), and the polls that turn the
// snapshots into the input globals at the end of every frame. The rules
// that act on the polled keys are in key_rules.cpp.
#include "services/input.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/key_codes.hpp"
#include "platform/platform_layer.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"

namespace tiefschacht {

InputState input;

namespace {

// The missing-device messages appear in a box owned by the window, with an
// empty caption; without a video output they go to stderr.
void showMissingDevice(const char* text) {
    if (platformLayer.video) {
        platformLayer.video->showErrorBox("", text);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
}

}  // namespace

int initInput() {
    InputDevices* devices = platformLayer.inputDevices.get();
    if (devices == nullptr) return 1;  // no input system at all: no message

    if (!devices->createKeyboard()) {
        showMissingDevice("keine Tastatur gefunden");
        return 1;
    }
    devices->acquireKeyboard();

    if (!devices->createMouse()) {
        showMissingDevice("keine Maus gefunden");
        return 1;
    }
    devices->acquireMouse();

    input.devicesCreated = true;
    return 0;
}

void releaseInput() {
    if (InputDevices* devices = platformLayer.inputDevices.get()) {
        devices->unacquire();
        devices->release();
    }
    input.devicesCreated = false;
}

namespace {

// A device that keeps answering "input lost" must not hang the frame: the
// acquire is retried a bounded number of times, then the poll goes on
// without the device.
constexpr int maxAcquireAttempts = 64;

template <typename Acquire>
void reacquire(Acquire acquire) {
    for (int attempt = 0; attempt < maxAcquireAttempts; ++attempt) {
        if (acquire() != AcquireResult::InputLost) return;
    }
}

}  // namespace

bool readKeyboardWithReacquire(InputDevices& devices, KeyboardSnapshot& snapshot) {
    if (devices.readKeyboard(snapshot)) return true;
    reacquire([&] { return devices.acquireKeyboard(); });
    return false;
}

bool readMouseWithReacquire(InputDevices& devices, MouseSnapshot& snapshot) {
    if (devices.readMouse(snapshot)) return true;
    reacquire([&] { return devices.acquireMouse(); });
    return false;
}

bool keyHeld(uint8_t code) { return (input.keyState[code] & keyDownBit) != 0; }

void pollKeyboard() {
    // The snapshot is not cleared: after a failed read it keeps what it held.
    // Away from the window every key reads as released, so a key let go in
    // another window is not held down in the game.
    InputDevices* devices = platformLayer.inputDevices.get();
    if (!input.windowFocused) {
        input.keyState.fill(0);
        if (input.pauseOnLeaving) input.keyState[KeyPause] = keyDownBit;
        input.pauseOnLeaving = false;
    } else if (input.devicesCreated && devices != nullptr) {
        readKeyboardWithReacquire(*devices, input.keyState);
    }

    input.keyUp = keyHeld(KeyUp);
    input.keyDown = keyHeld(KeyDown);
    input.keyLeft = keyHeld(KeyLeft);
    input.keyRight = keyHeld(KeyRight);
    input.keySpace = keyHeld(KeySpace);
    input.enterDown = keyHeld(KeyEnter);
}

namespace {

// Inside the screen, edges included. Written as a positive test so that a
// coordinate that is not a number counts as outside.
bool onScreen(const ScreenPoint& p) {
    const float width = static_cast<float>(settings.screenWidth);
    const float height = static_cast<float>(settings.screenHeight);
    return p.x >= 0.0f && p.x <= width && p.y >= 0.0f && p.y <= height;
}

// A pointer that reports where it is (the desktop's pointer, a tablet, a
// touch screen, a remote desktop) moves the cursor, in the polls without
// relative counts, by the counts that bring the arrow's tip onto it; the
// tested point, down and right of the tip, is kept on the screen. The
// counts go into the snapshot, so a recording replays them. Seeing the
// pointer for the first time moves nothing: the cursor follows its moves.
void followPointer(MouseSnapshot& mouse) {
    const bool moved = mouse.pointerKnown && input.pointerKnown &&
                       (mouse.pointerX != input.pointerX || mouse.pointerY != input.pointerY);
    input.pointerKnown = mouse.pointerKnown;
    input.pointerX = mouse.pointerX;
    input.pointerY = mouse.pointerY;
    if (!moved || mouse.dx != 0 || mouse.dy != 0) return;

    const Vec3 position = input.cursorWorldPos;
    const ScreenPoint tested = projectToScreen(position);
    const ScreenPoint tip =
        projectToScreen({position.x - cursorTipOffset, position.y + cursorTipOffset, position.z});
    const ScreenPoint stepRight =
        projectToScreen({position.x + cursorStep, position.y, position.z});
    const ScreenPoint stepDown = projectToScreen({position.x, position.y - cursorStep, position.z});
    const float perCountX = stepRight.x - tested.x;
    const float perCountY = stepDown.y - tested.y;
    if (!(perCountX > 0.0f) || !(perCountY > 0.0f) || !onScreen(tested)) return;

    // A count inside the edges, so rounding cannot carry it past them.
    const auto target = [](float pointer, float tipToTested, float perCount, int32_t size) {
        return std::clamp(pointer + tipToTested, perCount, static_cast<float>(size) - perCount);
    };
    const float x = target(mouse.pointerX, tested.x - tip.x, perCountX, settings.screenWidth);
    const float y = target(mouse.pointerY, tested.y - tip.y, perCountY, settings.screenHeight);
    const auto counts = [](float pixels, float perCount) {
        return static_cast<int32_t>(
            std::clamp(std::lround(pixels / perCount), -1000000L, 1000000L));
    };
    mouse.dx = counts(x - tested.x, perCountX);
    mouse.dy = counts(y - tested.y, perCountY);
}

}  // namespace

void pollMouse() {
    input.mouseState = MouseSnapshot{};
    InputDevices* devices = platformLayer.inputDevices.get();
    // Away from the window the mouse is given back to the desktop (its
    // pointer shown and free) and reads as still, with no button held.
    if (!input.windowFocused && input.devicesCreated && devices != nullptr) devices->unacquire();
    if (input.windowFocused && input.devicesCreated && devices != nullptr) {
        readMouseWithReacquire(*devices, input.mouseState);
    }
    followPointer(input.mouseState);

    // The cursor lives on the menu plane; the device counts y downwards, the
    // world counts it upwards. A move that would take the cursor off the
    // screen is taken back on both axes.
    const Vec3 remembered = input.cursorWorldPos;
    input.cursorWorldPos.x += static_cast<float>(input.mouseState.dx) * cursorStep;
    input.cursorWorldPos.y -= static_cast<float>(input.mouseState.dy) * cursorStep;

    const ScreenPoint moved = projectToScreen(input.cursorWorldPos);
    if (!onScreen(moved)) input.cursorWorldPos = remembered;

    // The screen position is that of the moved point, even when the move was
    // taken back, so for one frame it may lie past the edge.
    input.cursorScreenX = moved.x;
    input.cursorScreenY = moved.y;

    input.mouseDown = (input.mouseState.buttons[0] & 0x80) != 0;
}

}  // namespace tiefschacht
