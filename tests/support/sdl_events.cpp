// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sdl_events.hpp"

#include <SDL.h>

namespace tiefschacht {

namespace testsupport {
namespace {

SDL_Window* firstWindow() {
    for (Uint32 id = 1; id < 64; ++id)
        if (SDL_Window* window = SDL_GetWindowFromID(id)) return window;
    return nullptr;
}

Uint32 firstWindowId() {
    SDL_Window* window = firstWindow();
    return window ? SDL_GetWindowID(window) : 0;
}

}  // namespace

void pushKey(int usage, bool down, bool alt) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = firstWindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = static_cast<SDL_Scancode>(usage);
    e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
    e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
    SDL_PushEvent(&e);
}

void pushLeftButton(bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = firstWindowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    SDL_PushEvent(&e);
}

bool firstWindowFullScreen() {
    SDL_Window* window = firstWindow();
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}

}  // namespace testsupport

}  // namespace tiefschacht
