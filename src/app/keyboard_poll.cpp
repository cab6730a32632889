#include <array>
#include <cstdint>
#include <limits>

#include "app/app_state.hpp"
#include "app/device_read.hpp"
#include "app/input_state.hpp"
#include "app/name_entry.hpp"
#include "app/sound.hpp"
#include "platform/key_codes.hpp"
#include "platform/platform_layer.hpp"

namespace {

// The letter keys in alphabetical order, A first.
constexpr std::array<uint8_t, 26> letterKeys{
    KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG, KeyH, KeyI, KeyJ, KeyK, KeyL, KeyM,
    KeyN, KeyO, KeyP, KeyQ, KeyR, KeyS, KeyT, KeyU, KeyV, KeyW, KeyX, KeyY, KeyZ,
};

bool isDown(uint8_t code) { return (input.keyState[code] & keyDownBit) != 0; }

uint8_t flag(uint8_t code) { return isDown(code) ? 1 : 0; }

// Acts once per press: true on the first poll that finds the key down; the
// latch is cleared by the first poll that finds it up.
bool pressed(uint8_t code, uint8_t& latch) {
    if (!isDown(code)) {
        latch = 0;
        return false;
    }
    if (latch != 0) return false;
    latch = 1;
    return true;
}

// The volume has no bounds of its own, but it must not overflow: held for
// weeks it stops at the ends of its range.
void changeMasterVolume(int32_t step) {
    const int64_t next = static_cast<int64_t>(input.masterVolume) + step;
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    input.masterVolume = static_cast<int32_t>(next < lowest ? lowest : next > highest ? highest : next);
    setMasterVolume(input.masterVolume);
}

}  // namespace

void pollKeyboard() {
    // The snapshot is not cleared: after a failed read it keeps what it held.
    InputDevices* devices = platformLayer.inputDevices.get();
    if (input.devicesCreated && devices != nullptr) {
        readKeyboardWithReacquire(*devices, input.keyState);
    }

    input.keyUp = flag(KeyUp);
    input.keyDown = flag(KeyDown);
    input.keyLeft = flag(KeyLeft);
    input.keyRight = flag(KeyRight);
    input.keySpace = flag(KeySpace);

    // Held keys that act in every poll while down, in every state.
    if (isDown(KeyEscape)) setGameState(StateExit);
    if (isDown(KeyPageUp)) changeMasterVolume(10);
    if (isDown(KeyPageDown)) changeMasterVolume(-10);

    // Letters pressed in the same poll go into the name in alphabetical order.
    for (size_t i = 0; i < letterKeys.size(); ++i) {
        if (pressed(letterKeys[i], input.letterLatch[i])) {
            appendNameLetter(static_cast<char>('A' + i));
        }
    }

    input.enterDown = flag(KeyEnter);

    if (pressed(KeyBackspace, input.backspaceLatch)) deleteNameLetter();
    if (pressed(KeyPause, input.pauseLatch)) app.paused = app.paused == 0 ? 1 : 0;
}
