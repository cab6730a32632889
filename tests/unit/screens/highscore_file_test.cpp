// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The list file the highscore screen writes after an entry.
#include "unit/screens/highscore_fixture.hpp"

#include <array>

#include "platform/key_codes.hpp"
#include "services/key_rules.hpp"
#include "support/input_fakes.hpp"

using namespace tiefschacht;

TEST_F(HighscoreTest, EachEntryRewritesTheListFile) {
    setTable({100, 80, 80, 50, 40, 30, 20, 10, 5, 1});
    typeName("BERND");
    play.score = 80;
    insertHighscore(*game);
    EXPECT_EQ(listFile(),
              "OLDA 100\nBERND 80\nOLDB 80\nOLDC 80\nOLDD 50\nOLDE 40\nOLDF 30\nOLDG 20\n"
              "OLDH 10\nOLDI 5\n");

    // An entry made by "OK" without a typed name stays readable.
    typeName("");
    play.score = 45;
    runHighscoreScreen(*game);
    placeButton(8, 200, 500);
    clickOn(8);
    runHighscoreScreen(*game);
    EXPECT_EQ(listFile(),
              "OLDA 100\nBERND 80\nOLDB 80\nOLDC 80\nOLDD 50\nUNBEKANNT 45\nOLDE 40\n"
              "OLDF 30\nOLDG 20\nOLDH 10\n");
}

TEST_F(HighscoreTest, NoEntryWritesNoFile) {
    play.score = 10;  // equal to the tenth
    input.enterDown = 1;
    runHighscoreScreen(*game);
    placeButton(8, 200, 500);
    clickOn(8);
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Data/Highscore.txt"));
}

// Every letter the keyboard types reaches the list file: typed key by key
// through the polls, entered with Enter, written and read back.
TEST_F(HighscoreTest, EveryTypedLetterReachesTheListFile) {
    constexpr std::array<uint8_t, 26> letterKeys{
        KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG, KeyH, KeyI, KeyJ, KeyK, KeyL, KeyM,
        KeyN, KeyO, KeyP, KeyQ, KeyR, KeyS, KeyT, KeyU, KeyV, KeyW, KeyX, KeyY, KeyZ};
    auto fake = std::make_unique<FakeInputDevices>();
    FakeInputDevices& devices = *fake;
    platformLayer.inputDevices = std::move(fake);
    ASSERT_EQ(initInput(), 0);
    const auto poll = [&](KeyboardSnapshot keys) {
        devices.keyboardReads.push_back(keys);
        pollKeyboard();
        applyKeyRules();
    };
    for (const std::string name : {"ABCDEFGHIJKLMN", "OPQRSTUVWXYZ"}) {
        typeName("");
        for (char c : name) {
            poll(keysDown({letterKeys[static_cast<size_t>(c - 'A')]}));
            poll({});
        }
        play.score = 1000;
        poll(keysDown({KeyEnter}));
        runHighscoreScreen(*game);
        EXPECT_EQ(nameAt(0), name);
    }
    EXPECT_EQ(listFile().rfind("OPQRSTUVWXYZ 1000\nABCDEFGHIJKLMN 1000\n", 0), 0u) << listFile();
    platformLayer.inputDevices.reset();
}
