// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "services/key_rules.hpp"
#include "support/input_fakes.hpp"

using namespace tiefschacht;

namespace {

class KeyboardPoll : public ::testing::Test {
protected:
    void SetUp() override {
        input = InputState{};
        app = AppState{};
        auto fake = std::make_unique<FakeInputDevices>();
        devices = fake.get();
        platformLayer.inputDevices = std::move(fake);
        ASSERT_EQ(initInput(), 0);
    }
    void TearDown() override { platformLayer = PlatformLayer{}; }

    // One keyboard poll with these keys down, and the rules that act on it.
    void poll(std::initializer_list<uint8_t> codes) {
        devices->keyboardReads.push_back(keysDown(codes));
        pollAndApply();
    }
    static void pollAndApply() {
        pollKeyboard();
        applyKeyRules();
    }
    std::string name() const { return std::string(input.nameBuffer.data()); }

    FakeInputDevices* devices = nullptr;
};

TEST_F(KeyboardPoll, HeldLetterAppendsOnceUntilReleased) {
    for (int i = 0; i < 30; ++i) poll({KeyA});
    EXPECT_EQ(name(), "A");
    poll({});
    poll({KeyA});
    EXPECT_EQ(name(), "AA");
}

TEST_F(KeyboardPoll, LettersInOnePollGoInAlphabeticalOrder) {
    poll({KeyA, KeyB});
    poll({});
    poll({KeyB, KeyA});  // the order in the snapshot has no meaning
    EXPECT_EQ(name(), "ABAB");
    // A letter held over from the last poll is not appended again.
    poll({KeyB, KeyC});
    poll({KeyC, KeyD});
    EXPECT_EQ(name(), "ABABCD");
    EXPECT_EQ(input.nameLength, 6);
}

TEST_F(KeyboardPoll, KeysNameThePositionsOfAUsLayout) {
    // On a German keyboard the key engraved Z sits where a US keyboard has Y.
    poll({0x15});
    poll({0x2C});
    EXPECT_EQ(name(), "YZ");
}

TEST_F(KeyboardPoll, FullNameKeepsThirteenLettersAndReplacesTheLast) {
    // Sixteen letters.
    const uint8_t codes[] = {KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG, KeyH,
                             KeyI, KeyJ, KeyK, KeyL, KeyM, KeyN, KeyO, KeyP};
    for (uint8_t code : codes) {
        poll({code});
        poll({});
    }
    EXPECT_EQ(name(), "ABCDEFGHIJKLMP");
    EXPECT_EQ(input.nameLength, 13);
}

TEST_F(KeyboardPoll, BackspaceDeletesTheLastCharacter) {
    poll({KeyBackspace});  // empty name: nothing happens
    poll({});
    EXPECT_EQ(name(), "");
    EXPECT_EQ(input.nameLength, 0);

    poll({KeyH});
    poll({KeyI});
    poll({KeyBackspace});
    poll({KeyBackspace});  // held: acts once
    EXPECT_EQ(name(), "H");
    EXPECT_EQ(input.nameLength, 1);
    poll({});
    poll({KeyBackspace});
    poll({});
    poll({KeyBackspace});
    EXPECT_EQ(name(), "");
    EXPECT_EQ(input.nameLength, 0);
}

TEST_F(KeyboardPoll, BackspaceOnAFullNameRemovesItsLastLetter) {
    const uint8_t codes[] = {KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG,
                             KeyH, KeyI, KeyJ, KeyK, KeyL, KeyM, KeyN};
    for (uint8_t code : codes) {
        poll({code});
        poll({});
    }
    ASSERT_EQ(name(), "ABCDEFGHIJKLMN");
    poll({KeyBackspace});
    poll({});
    EXPECT_EQ(name(), "ABCDEFGHIJKLM");
    poll({KeyZ});
    poll({});
    EXPECT_EQ(name(), "ABCDEFGHIJKLMZ");
    poll({KeyBackspace});
    poll({});
    poll({KeyBackspace});
    poll({});
    EXPECT_EQ(name(), "ABCDEFGHIJKL");
    EXPECT_EQ(input.nameLength, 12);
}

TEST_F(KeyboardPoll, PauseTogglesOncePerPress) {
    poll({KeyPause});
    poll({KeyPause});
    EXPECT_EQ(app.paused, 1);
    poll({});
    poll({KeyPause});
    EXPECT_EQ(app.paused, 0);
}

TEST_F(KeyboardPoll, VolumeKeysActInEveryPollWithinWhatTheOutputPlays) {
    for (int i = 0; i < 60; ++i) poll({KeyPageDown});
    EXPECT_EQ(input.masterVolume, -600);
    poll({KeyPageUp, KeyPageDown});
    EXPECT_EQ(input.masterVolume, -600);
    // Held past the loudest level, Page Up changes nothing, and Page Down
    // acts in its first poll.
    for (int i = 0; i < 600; ++i) poll({KeyPageUp});
    EXPECT_EQ(input.masterVolume, 0);
    poll({KeyPageDown});
    EXPECT_EQ(input.masterVolume, -10);
    // The same at silence.
    for (int i = 0; i < 2000; ++i) poll({KeyPageDown});
    EXPECT_EQ(input.masterVolume, -10000);
    poll({KeyPageUp});
    EXPECT_EQ(input.masterVolume, -9990);
}

TEST_F(KeyboardPoll, EscapeWhilePausedLeavesTheExitStateForAfterThePause) {
    app.gameState = StatePlaying;
    poll({KeyPause});
    poll({KeyEscape});
    EXPECT_EQ(app.paused, 1);
    EXPECT_EQ(app.gameState, StateExit);
    poll({KeyPause});
    EXPECT_EQ(app.paused, 0);
    EXPECT_EQ(app.gameState, StateExit);
}

// The arrows, Space and Enter are held while their keys are down; digits,
// lower rows and the keypad do nothing.
TEST_F(KeyboardPoll, HeldFlagsFollowTheKeys) {
    struct Case {
        KeyboardSnapshot keys;
        std::array<int, 6> held;  // up, down, left, right, Space, Enter
    } const cases[] = {
        {keysDown({KeyUp, KeyLeft, KeySpace, KeyEnter}), {1, 0, 1, 0, 1, 1}},
        {keysDown({KeyDown, KeyRight}), {0, 1, 0, 1, 0, 0}},
        {keysDown({KeySpace}), {0, 0, 0, 0, 1, 0}},
        {keysDown({KeyEnter}), {0, 0, 0, 0, 0, 1}},
        {keysDown({Key1, KeyNumpad8, KeyNumpadEnter, KeyF1}), {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        devices->keyboardReads.push_back(c.keys);
        pollAndApply();
        EXPECT_EQ((std::array<int, 6>{input.keyUp, input.keyDown, input.keyLeft, input.keyRight,
                                      input.keySpace, input.enterDown}),
                  c.held);
    }
    EXPECT_EQ(name(), "");
}

TEST_F(KeyboardPoll, FailedReadKeepsTheLastSnapshotAndReacquires) {
    poll({KeyRight, KeyA});
    const int before = devices->keyboardAcquires;
    devices->inputLostAnswers = 3;
    pollAndApply();  // no snapshot queued: the read fails
    EXPECT_EQ(devices->keyboardAcquires, before + 4);
    EXPECT_EQ(input.keyRight, 1);  // evaluated from the old snapshot
    EXPECT_EQ(name(), "A");        // ... with the latch still set

    // A device that never stops answering "input lost" does not hang the poll.
    devices->inputLostAnswers = 1'000'000;
    pollAndApply();
    EXPECT_EQ(input.keyRight, 1);
}

TEST(InputSetUp, MissingDevicesShowTheirMessage) {
    input = InputState{};
    auto video = std::make_unique<FakeVideo>();
    FakeVideo* box = video.get();
    platformLayer.video = std::move(video);

    auto noKeyboard = std::make_unique<FakeInputDevices>();
    noKeyboard->keyboardPresent = false;
    noKeyboard->mousePresent = false;
    platformLayer.inputDevices = std::move(noKeyboard);
    EXPECT_EQ(initInput(), 1);
    ASSERT_EQ(box->boxes.size(), 1u);  // the mouse is not tried
    EXPECT_EQ(box->boxes[0], "|keine Tastatur gefunden");

    auto noMouse = std::make_unique<FakeInputDevices>();
    noMouse->mousePresent = false;
    platformLayer.inputDevices = std::move(noMouse);
    EXPECT_EQ(initInput(), 1);
    ASSERT_EQ(box->boxes.size(), 2u);
    EXPECT_EQ(box->boxes[1], "|keine Maus gefunden");

    platformLayer.inputDevices.reset();  // no input system: no message
    EXPECT_EQ(initInput(), 1);
    EXPECT_EQ(box->boxes.size(), 2u);

    auto fine = std::make_unique<FakeInputDevices>();
    FakeInputDevices* devices = fine.get();
    platformLayer.inputDevices = std::move(fine);
    EXPECT_EQ(initInput(), 0);
    EXPECT_EQ(devices->keyboardAcquires, 1);
    EXPECT_EQ(devices->mouseAcquires, 1);
    releaseInput();
    EXPECT_TRUE(devices->released);
    releaseInput();  // twice is harmless
    platformLayer = PlatformLayer{};
}

}  // namespace
