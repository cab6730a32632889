// Keyboard, mouse and game controllers through SDL. The devices count as
// lost while the window lacks the focus: reads then fail, and acquiring
// succeeds again once the focus is back.
#include <SDL2/SDL.h>

#include <memory>

#include "platform/backends.hpp"
#include "platform/key_codes.hpp"
#include "platform/sdl_gamepads.hpp"
#include "platform/sdl_key_map.hpp"

namespace {

class SdlInputDevices final : public InputDevices {
public:
    explicit SdlInputDevices(VideoOutput* window) : window_(window) {}
    ~SdlInputDevices() override { release(); }

    // SDL cannot tell whether a keyboard or a mouse is attached; one is
    // assumed, as every desktop session has them.
    bool createKeyboard() override {
        // Keys are read as positions, never as text: no input method windows.
        SDL_StopTextInput();
        if (!gamepads_) gamepads_ = std::make_unique<SdlGamepads>();
        keyboard_ = true;
        return true;
    }
    bool createMouse() override {
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

    bool readKeyboard(KeyboardSnapshot& out) override {
        if (!keyboard_ || !focused()) return false;
        // SDL empties its key state when the focus goes, and keeps it current
        // from then on, so a key released while away is up again here.
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        out.fill(0);
        for (int scancode = 0; scancode < count; ++scancode) {
            if (state[scancode] == 0) continue;
            if (const uint8_t code = keyCodeForScancode(scancode); code != 0) out[code] = keyDownBit;
        }
        if (gamepads_) gamepads_->addToKeyboard(out);
        // The snapshot holds everything the game wants of the key events;
        // dropping them keeps the queue short for the window's events.
        SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYDOWN + 0xFF);
        return true;
    }

    bool readMouse(MouseSnapshot& out) override {
        SDL_PumpEvents();
        if (gamepads_) gamepads_->update();
        if (!mouse_ || !focused()) {
            freeMouse();
            return false;
        }
        if (!owned_) takeMouse();
        int dx = 0, dy = 0;
        const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
        out = MouseSnapshot{};
        out.dx = dx;
        out.dy = dy;
        out.buttons[0] = (buttons & SDL_BUTTON_LMASK) != 0 ? 0x80 : 0;
        out.buttons[1] = (buttons & SDL_BUTTON_RMASK) != 0 ? 0x80 : 0;
        out.buttons[2] = (buttons & SDL_BUTTON_MMASK) != 0 ? 0x80 : 0;
        if (gamepads_) gamepads_->addToMouse(out);
        SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
        return true;
    }

    void unacquire() override { freeMouse(); }

    void release() override {
        freeMouse();
        gamepads_.reset();
        keyboard_ = false;
        mouse_ = false;
    }

private:
    bool focused() const {
        if (window_ != nullptr) return window_->hasFocus();
        return SDL_GetKeyboardFocus() != nullptr;
    }

    // The game draws its own cursor and wants relative counts: relative mouse
    // mode hides the system cursor and keeps it from leaving the window.
    // Where that mode is missing the counts come from the ordinary motion
    // events, which SDL sums up the same way, with the cursor hidden and
    // held inside the window.
    void takeMouse() {
        if (owned_) return;
        relative_ = SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
        if (!relative_) {
            SDL_ShowCursor(SDL_DISABLE);
            if (SDL_Window* w = SDL_GetKeyboardFocus()) {
                grabbedId_ = SDL_GetWindowID(w);
                SDL_SetWindowGrab(w, SDL_TRUE);
            }
        }
        // Motion from before the mouse was ours would make the cursor jump.
        SDL_GetRelativeMouseState(nullptr, nullptr);
        if (gamepads_) gamepads_->resetMotion();
        owned_ = true;
    }

    void freeMouse() {
        if (!owned_) return;
        if (relative_) {
            SDL_SetRelativeMouseMode(SDL_FALSE);
        } else {
            // Found again by its id: the window may be gone by now.
            if (SDL_Window* w = grabbedId_ != 0 ? SDL_GetWindowFromID(grabbedId_) : nullptr) {
                SDL_SetWindowGrab(w, SDL_FALSE);
            }
            grabbedId_ = 0;
            SDL_ShowCursor(SDL_ENABLE);
        }
        owned_ = false;
        relative_ = false;
    }

    VideoOutput* window_;
    std::unique_ptr<SdlGamepads> gamepads_;
    bool keyboard_ = false;
    bool mouse_ = false;
    bool owned_ = false;     // relative mode (or the fallback) is in force
    bool relative_ = false;  // ... and it is SDL's relative mode
    Uint32 grabbedId_ = 0;   // the window holding the pointer in the fallback
};

}  // namespace

std::unique_ptr<InputDevices> createSdlInputDevices(VideoOutput* window) {
    return std::make_unique<SdlInputDevices>(window);
}
