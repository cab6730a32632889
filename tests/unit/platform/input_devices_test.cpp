// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/key_codes.hpp"
#include "platform/sdl/gamepad_mapping.hpp"
#include "platform/sdl/key_map.hpp"
#include "platform/sdl/pointer_mapping.hpp"

using namespace tiefschacht;

namespace {

// SDL scancodes are USB keyboard usage numbers; the tests use the numbers
// so they need no SDL header.
constexpr int usbA = 4, usbY = 28, usbZ = 29, usbReturn = 40, usbEscape = 41, usbBackspace = 42,
              usbSpace = 44, usbPause = 72, usbPageUp = 75, usbPageDown = 78, usbRight = 79,
              usbLeft = 80, usbDown = 81, usbUp = 82;

TEST(SdlKeyMap, KeysAreKnownByPosition) {
    // The key a German keyboard engraves Z is the US Y position, and back.
    const std::pair<int, uint8_t> keys[] = {
        {usbA, KeyA},      {usbY, 0x15},         {usbZ, 0x2C},     {usbEscape, 0x01},
        {usbReturn, 0x1C}, {usbBackspace, 0x0E}, {usbSpace, 0x39}, {usbPause, 0xC5},
        {usbPageUp, 0xC9}, {usbPageDown, 0xD1},  {usbUp, 0xC8},    {usbDown, 0xD0},
        {usbLeft, 0xCB},   {usbRight, 0xCD}};
    for (const auto& [usage, code] : keys) EXPECT_EQ(keyCodeForScancode(usage), code) << usage;
}

TEST(SdlKeyMap, TheWholeStandardKeyboardHasDistinctCodes) {
    // Letters, digits, Enter .. Slash, Caps Lock, F1-F12, the navigation
    // block, the keypad: USB usages 4 to 99 and the eight modifiers.
    std::set<uint8_t> codes;
    int mapped = 0;
    for (const auto& [first, last] : {std::pair{4, 99}, std::pair{224, 231}}) {
        for (int usage = first; usage <= last; ++usage) {
            if (usage == 50) continue;  // the ISO # key shares the backslash position
            const uint8_t code = keyCodeForScancode(usage);
            EXPECT_NE(code, 0) << "usage " << usage;
            codes.insert(code);
            ++mapped;
        }
    }
    EXPECT_EQ(static_cast<int>(codes.size()), mapped);
    for (int outside : {-1, 0, 100000}) EXPECT_EQ(keyCodeForScancode(outside), 0);
}

TEST(GamepadMapping, ButtonsAndStickActAsKeys) {
    GamepadReading pad;
    KeyboardSnapshot keys{};
    addGamepadKeys(pad, keys);
    EXPECT_EQ(keys, KeyboardSnapshot{});  // a pad at rest holds nothing

    pad.dpadLeft = true;
    pad.buttonA = true;
    pad.buttonStart = true;
    pad.buttonBack = true;
    pad.leftY = -20000;           // stick pushed up
    keys[KeyRight] = keyDownBit;  // the keyboard's own keys stay
    addGamepadKeys(pad, keys);
    EXPECT_TRUE(keys[KeyLeft] & keyDownBit);
    EXPECT_TRUE(keys[KeyRight] & keyDownBit);
    EXPECT_TRUE(keys[KeyUp] & keyDownBit);
    EXPECT_FALSE(keys[KeyDown] & keyDownBit);
    EXPECT_TRUE(keys[KeySpace] & keyDownBit);
    EXPECT_TRUE(keys[KeyPause] & keyDownBit);
    EXPECT_TRUE(keys[KeyEscape] & keyDownBit);

    KeyboardSnapshot slight{};
    GamepadReading drift;
    drift.leftX = 9000;  // a little off centre: not an arrow
    addGamepadKeys(drift, slight);
    EXPECT_FALSE(slight[KeyRight] & keyDownBit);
}

TEST(GamepadMapping, StickMovesTheCursorAndAIsTheLeftButton) {
    EXPECT_EQ(stickCursorCounts(0), 0.0f);
    EXPECT_EQ(stickCursorCounts(7000), 0.0f);  // dead zone
    EXPECT_GT(stickCursorCounts(20000), 0.0f);
    EXPECT_LT(stickCursorCounts(-20000), 0.0f);
    EXPECT_FLOAT_EQ(stickCursorCounts(32767), -stickCursorCounts(-32767));
    EXPECT_LT(stickCursorCounts(20000), stickCursorCounts(30000));
    EXPECT_LE(stickCursorCounts(-32768), -stickCursorCounts(32767) + 1e-3f);

    // Slow motion builds up over polls rather than being lost.
    GamepadReading pad;
    pad.leftX = 11000;
    pad.buttonA = true;
    float carryX = 0.0f, carryY = 0.0f;
    int32_t total = 0;
    for (int i = 0; i < 600; ++i) {
        MouseSnapshot mouse;
        mouse.dx = 0;
        addGamepadMouse(pad, mouse, carryX, carryY);
        EXPECT_TRUE(mouse.buttons[0] & 0x80);
        total += mouse.dx;
    }
    EXPECT_NEAR(static_cast<float>(total), 600.0f * stickCursorCounts(11000), 1.0f);
    EXPECT_GT(total, 0);

    // Added to what the mouse itself moved.
    MouseSnapshot mouse;
    mouse.dx = 5;
    mouse.dy = -3;
    GamepadReading full;
    full.leftX = 32767;
    carryX = carryY = 0.0f;
    addGamepadMouse(full, mouse, carryX, carryY);
    EXPECT_EQ(mouse.dx, 5 + static_cast<int32_t>(stickCursorCounts(32767)));
    EXPECT_EQ(mouse.dy, -3);
    EXPECT_FALSE(mouse.buttons[0] & 0x80);
}

TEST(PointerMapping, FullScreenBarsAreLeftOutOfTheFrame) {
    auto at = [](float x, float y, int ww, int wh, int fw, int fh) {
        const FramePoint p = framePointInWindow(x, y, ww, wh, fw, fh);
        return std::pair{p.x, p.y};
    };
    // A window of the frame's size: the same coordinates.
    EXPECT_EQ(at(300, 200, 1024, 768, 1024, 768), std::pair(300.0f, 200.0f));
    // 4:3 on 5:4: bars above and below.
    EXPECT_EQ(at(0, 32, 1280, 1024, 1024, 768), std::pair(0.0f, 0.0f));
    EXPECT_EQ(at(640, 512, 1280, 1024, 1024, 768), std::pair(512.0f, 384.0f));
    EXPECT_LT(at(10, 10, 1280, 1024, 1024, 768).second, 0.0f);
    // 4:3 on 16:9: bars beside.
    EXPECT_EQ(at(240, 0, 1920, 1080, 800, 600), std::pair(0.0f, 0.0f));
    EXPECT_EQ(at(1680, 1080, 1920, 1080, 800, 600), std::pair(800.0f, 600.0f));
    // No frame yet: unchanged.
    EXPECT_EQ(at(5, 6, 1920, 1080, 0, 0), std::pair(5.0f, 6.0f));
}

}  // namespace
