// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard, mouse and game controllers through SDL. The devices count as
// lost while the window lacks the focus: reads then fail, and acquiring
// succeeds again once the focus is back.
#include <SDL2/SDL.h>

#include <array>
#include <memory>

#include "platform/backends.hpp"
#include "platform/key_codes.hpp"
#include "platform/sdl/gamepads.hpp"
#include "platform/sdl/key_map.hpp"
#include "platform/sdl/pointer_mapping.hpp"

namespace tiefschacht {

namespace {

// Enter with Alt held belongs to the window (full-screen on and off): the
// game does not see it as Enter.
bool altHeld(const Uint8* state, int count) {
    return (SDL_SCANCODE_LALT < count && state[SDL_SCANCODE_LALT] != 0) ||
           (SDL_SCANCODE_RALT < count && state[SDL_SCANCODE_RALT] != 0);
}

class SdlInputDevices final : public InputDevices {
public:
    explicit SdlInputDevices(VideoOutput* window) : window_(window) {}
    ~SdlInputDevices() override { release(); }
    SdlInputDevices(const SdlInputDevices&) = delete;
    SdlInputDevices& operator=(const SdlInputDevices&) = delete;

    // SDL cannot tell whether a keyboard or a mouse is attached; one is
    // assumed, as every desktop session has them.
    bool createKeyboard() override {
        // Keys are read as positions, never as text: no input method windows.
        SDL_StopTextInput();
        if (!gamepads_) gamepads_ = std::make_unique<SdlGamepads>();
        watchPresses();
        keyboard_ = true;
        return true;
    }
    bool createMouse() override {
        watchPresses();
        mouse_ = true;
        return true;
    }

    AcquireResult acquireKeyboard() override {
        return keyboard_ && focused() ? AcquireResult::Ok : AcquireResult::Failed;
    }
    AcquireResult acquireMouse() override {
        if (!mouse_ || !focused()) return AcquireResult::Failed;
        takeMouse();
        return AcquireResult::Ok;
    }

    // A key reads as down when it is held now or went down since the last
    // read: a tap shorter than a frame is held for one poll and released at
    // the next, while held keys read exactly as SDL holds them.
    bool readKeyboard(KeyboardSnapshot& out) override {
        if (!keyboard_ || !focused()) {
            keysPressed_.fill(false);
            return false;
        }
        // SDL empties its key state when the focus goes, and keeps it current
        // from then on, so a key released while away is up again here.
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        const bool alt = altHeld(state, count);
        out.fill(0);
        for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
            const bool held = scancode < count && state[scancode] != 0;
            if (!held && !keysPressed_[static_cast<size_t>(scancode)]) continue;
            if (alt && scancode == SDL_SCANCODE_RETURN) continue;
            if (const uint8_t code = keyCodeForScancode(scancode); code != 0)
                out[code] = keyDownBit;
        }
        keysPressed_.fill(false);
        if (gamepads_) gamepads_->addToKeyboard(out);
        return true;
    }

    // The buttons the same way as the keys. The cursor is moved by counts
    // only from the controllers; the pointer reports where it is, and the
    // polls derive counts from that (which also serves tablets, touch screens
    // and remote desktops, whose pointers have no relative motion).
    bool readMouse(MouseSnapshot& out) override {
        SDL_PumpEvents();
        if (gamepads_) gamepads_->update();
        if (!mouse_ || !focused()) {
            buttonsPressed_ = 0;
            freeMouse();
            return false;
        }
        if (!owned_) takeMouse();
        int x = 0, y = 0;
        const Uint32 buttons = SDL_GetMouseState(&x, &y) | buttonsPressed_;
        buttonsPressed_ = 0;
        out = MouseSnapshot{};
        out.buttons[0] = (buttons & SDL_BUTTON_LMASK) != 0 ? 0x80 : 0;
        out.buttons[1] = (buttons & SDL_BUTTON_RMASK) != 0 ? 0x80 : 0;
        out.buttons[2] = (buttons & SDL_BUTTON_MMASK) != 0 ? 0x80 : 0;
        placePointer(x, y, out);
        if (gamepads_) gamepads_->addToMouse(out);
        return true;
    }

    void unacquire() override { freeMouse(); }

    void release() override {
        freeMouse();
        if (watching_) SDL_DelEventWatch(&SdlInputDevices::notePress, this);
        watching_ = false;
        gamepads_.reset();
        keyboard_ = false;
        mouse_ = false;
    }

private:
    bool focused() const {
        if (window_ != nullptr) return window_->hasFocus();
        return SDL_GetKeyboardFocus() != nullptr;
    }

    // Presses are noted as SDL queues their events, whoever takes the events
    // from the queue afterwards.
    void watchPresses() {
        if (watching_) return;
        SDL_AddEventWatch(&SdlInputDevices::notePress, this);
        watching_ = true;
    }

    static int SDLCALL notePress(void* self, SDL_Event* event) {
        auto* devices = static_cast<SdlInputDevices*>(self);
        if (event->type == SDL_KEYDOWN && event->key.repeat == 0) {
            const int scancode = event->key.keysym.scancode;
            const bool altEnter =
                scancode == SDL_SCANCODE_RETURN && (event->key.keysym.mod & KMOD_ALT) != 0;
            if (scancode > 0 && scancode < SDL_NUM_SCANCODES && !altEnter)
                devices->keysPressed_[static_cast<size_t>(scancode)] = true;
        } else if (event->type == SDL_MOUSEBUTTONDOWN && event->button.button >= 1 &&
                   event->button.button <= 32) {
            devices->buttonsPressed_ |= SDL_BUTTON(event->button.button);
        }
        return 1;
    }

    // The pointer's place in the frame, when it is over the window.
    void placePointer(int x, int y, MouseSnapshot& out) const {
        SDL_Window* window = SDL_GetMouseFocus();
        if (window == nullptr || window_ == nullptr || window_->lastFrameWidth() <= 0) return;
        int width = 0, height = 0;
        SDL_GetWindowSize(window, &width, &height);
        const FramePoint p =
            framePointInWindow(static_cast<float>(x), static_cast<float>(y), width, height,
                               window_->lastFrameWidth(), window_->lastFrameHeight());
        out.pointerKnown = true;
        out.pointerX = p.x;
        out.pointerY = p.y;
    }

    // The game draws its own cursor: the system's is hidden while the mouse
    // is ours, and the pointer is held inside the window.
    void takeMouse() {
        if (owned_) return;
        SDL_ShowCursor(SDL_DISABLE);
        if (SDL_Window* w = SDL_GetKeyboardFocus()) {
            grabbedId_ = SDL_GetWindowID(w);
            SDL_SetWindowGrab(w, SDL_TRUE);
        }
        // Presses from before the mouse was ours were not meant for the game.
        buttonsPressed_ = 0;
        if (gamepads_) gamepads_->resetMotion();
        owned_ = true;
    }

    void freeMouse() {
        if (!owned_) return;
        // Found again by its id: the window may be gone by now.
        if (SDL_Window* w = grabbedId_ != 0 ? SDL_GetWindowFromID(grabbedId_) : nullptr) {
            SDL_SetWindowGrab(w, SDL_FALSE);
        }
        grabbedId_ = 0;
        SDL_ShowCursor(SDL_ENABLE);
        owned_ = false;
    }

    VideoOutput* window_;
    std::unique_ptr<SdlGamepads> gamepads_;
    bool keyboard_ = false;
    bool mouse_ = false;
    bool owned_ = false;     // the cursor hidden and the pointer held
    bool watching_ = false;  // notePress is installed
    Uint32 grabbedId_ = 0;   // the window holding the pointer
    // Pressed since the last read, by SDL scancode and by button mask.
    std::array<bool, SDL_NUM_SCANCODES> keysPressed_{};
    Uint32 buttonsPressed_ = 0;
};

}  // namespace

std::unique_ptr<InputDevices> createSdlInputDevices(VideoOutput* window) {
    return std::make_unique<SdlInputDevices>(window);
}

}  // namespace tiefschacht
