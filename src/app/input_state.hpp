#pragma once
// The input globals the keyboard and mouse polls publish.
#include <array>
#include <cstdint>

#include "platform/math3d.hpp"
#include "platform/seams.hpp"

constexpr float cursorStep = 0.05f;
constexpr int nameCapacity = 14;

struct InputState {
    KeyboardSnapshot keyState{};
    MouseSnapshot mouseState{};

    uint8_t keyUp = 0, keyDown = 0, keyLeft = 0, keyRight = 0, keySpace = 0;
    uint8_t enterDown = 0;
    uint8_t mouseDown = 0;
    Vec3 cursorWorldPos{0.0f, 0.0f, 60.0f};
    float cursorScreenX = 0.0f, cursorScreenY = 0.0f;  // cursorScreenPos
    int32_t masterVolume = 0;

    std::array<char, 200> nameBuffer{};  // only the first 14 characters are used
    int32_t nameLength = 0;

    std::array<uint8_t, 26> letterLatch{};
    uint8_t backspaceLatch = 0;
    uint8_t pauseLatch = 0;

    bool devicesCreated = false;
};

extern InputState input;

// Returns 0 on success, 1 on failure (after the message box when the
// keyboard or the mouse is missing).
int initInput();
void pollMouse();
void pollKeyboard();
void releaseInput();
