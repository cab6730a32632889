// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/key_rules.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/key_codes.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "services/name_entry.hpp"
#include "services/sound.hpp"

namespace tiefschacht {

namespace {

// The letter keys in alphabetical order, A first.
constexpr std::array<uint8_t, 26> letterKeys{
    KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG, KeyH, KeyI, KeyJ, KeyK, KeyL, KeyM,
    KeyN, KeyO, KeyP, KeyQ, KeyR, KeyS, KeyT, KeyU, KeyV, KeyW, KeyX, KeyY, KeyZ,
};

// Acts once per press: true on the first poll that finds the key down; the
// latch is cleared by the first poll that finds it up.
bool pressed(uint8_t code, bool& latch) {
    if (!keyHeld(code)) {
        latch = false;
        return false;
    }
    if (latch) return false;
    latch = true;
    return true;
}

// The volume stays within what the output plays, from silence to the
// loudest level: holding a key past either end changes nothing, so the other
// key is heard at once however long the first was held.
void changeMasterVolume(int32_t step) {
    const int64_t next = static_cast<int64_t>(input.masterVolume) + step;
    input.masterVolume =
        static_cast<int32_t>(std::clamp<int64_t>(next, quietestVolume, loudestVolume));
    setMasterVolume(input.masterVolume);
}

}  // namespace

void leaveWithEscape() {
    if (keyHeld(KeyEscape)) setGameState(StateExit);
}

void changeVolumeWithKeys() {
    if (keyHeld(KeyPageUp)) changeMasterVolume(10);
    if (keyHeld(KeyPageDown)) changeMasterVolume(-10);
}

void editNameWithKeys() {
    for (size_t i = 0; i < letterKeys.size(); ++i)
        if (pressed(letterKeys[i], input.letterLatch[i]))
            appendNameLetter(static_cast<char>('A' + i));
    if (pressed(KeyBackspace, input.backspaceLatch)) deleteNameLetter();
}

void togglePauseWithKey() {
    if (pressed(KeyPause, input.pauseLatch)) app.paused = !app.paused;
}

void applyKeyRules() {
    leaveWithEscape();
    changeVolumeWithKeys();
    editNameWithKeys();
    togglePauseWithKey();
}

void leaveWindow() {
    input.windowFocused = false;
    input.pauseOnLeaving = app.gameState == StatePlaying && !app.paused;
}

void returnToWindow() { input.windowFocused = true; }

}  // namespace tiefschacht
