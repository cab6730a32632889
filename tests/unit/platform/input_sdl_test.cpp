// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL keyboard, mouse and window events on SDL's display-less driver,
// fed with the events a window system would send.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/backends.hpp"
#include "platform/key_codes.hpp"
#include "support/input_fakes.hpp"
#include "support/sdl_events.hpp"

using namespace tiefschacht;

namespace {

constexpr int usbReturn = 40, usbSpace = 44;

class SdlInput : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string error;
        if (!window->openWindow("My Game Shell", 64, 48, false, error))
            GTEST_SKIP() << "no SDL video driver: " << error;
        // The display-less driver gives no window the focus; the stand-in has it.
        devices = createSdlInputDevices(&focus);
        ASSERT_TRUE(devices->createKeyboard());
        ASSERT_TRUE(devices->createMouse());
        devices->acquireKeyboard();
        devices->acquireMouse();
        takeAllEvents();
    }
    void TearDown() override {
        devices.reset();
        window->closeWindow();
    }

    // The window's own events, one per call, until none is left.
    void takeAllEvents() {
        for (int i = 0; i < 100 && events->takeEvent() != PlatformEvent::None; ++i) {
        }
    }

    bool held(uint8_t code) {
        KeyboardSnapshot keys{};
        EXPECT_TRUE(devices->readKeyboard(keys));
        return (keys[code] & keyDownBit) != 0;
    }
    bool leftHeld() {
        MouseSnapshot mouse;
        EXPECT_TRUE(devices->readMouse(mouse));
        return (mouse.buttons[0] & 0x80) != 0;
    }

    FakeVideo focus;
    std::unique_ptr<VideoOutput> window = createSdlVideoOutput();
    std::unique_ptr<WindowEvents> events = createSdlWindowEvents();
    std::unique_ptr<InputDevices> devices;
};

TEST_F(SdlInput, APressShorterThanAFrameIsHeldForOnePoll) {
    testsupport::pushKey(usbSpace, true);
    testsupport::pushKey(usbSpace, false);
    EXPECT_TRUE(held(KeySpace));
    EXPECT_FALSE(held(KeySpace));

    testsupport::pushLeftButton(true);
    testsupport::pushLeftButton(false);
    EXPECT_TRUE(leftHeld());
    EXPECT_FALSE(leftHeld());

    // The window takes its events in between; the presses still count.
    testsupport::pushKey(usbSpace, true);
    testsupport::pushKey(usbSpace, false);
    testsupport::pushLeftButton(true);
    testsupport::pushLeftButton(false);
    takeAllEvents();
    EXPECT_TRUE(leftHeld());
    EXPECT_TRUE(held(KeySpace));

    // Alt+Enter belongs to the window: the game does not see Enter.
    testsupport::pushKey(usbReturn, true, true);
    testsupport::pushKey(usbReturn, false, true);
    EXPECT_FALSE(held(KeyEnter));

    // Released devices no longer listen: a press after that touches nothing.
    devices.reset();
    testsupport::pushKey(usbSpace, true);
    testsupport::pushLeftButton(true);
}

TEST_F(SdlInput, AltEnterSwitchesFullScreenAndInputEventsDoNotPileUp) {
    // However many input events wait, one call takes them all.
    for (int i = 0; i < 500; ++i) testsupport::pushKey(usbSpace, i % 2 == 0);
    EXPECT_EQ(events->takeEvent(), PlatformEvent::None);

    testsupport::pushKey(usbReturn, true);
    EXPECT_EQ(events->takeEvent(), PlatformEvent::None);
    EXPECT_FALSE(testsupport::firstWindowFullScreen());

    testsupport::pushKey(usbReturn, true, true);
    takeAllEvents();
    EXPECT_TRUE(testsupport::firstWindowFullScreen());
    testsupport::pushKey(usbReturn, false, true);
    testsupport::pushKey(usbReturn, true, true);
    takeAllEvents();
    EXPECT_FALSE(testsupport::firstWindowFullScreen());
}

}  // namespace
