// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game controllers plugged in, opened as they arrive and closed as they
// go. Only the SDL input backend uses this.
#include <memory>
#include <vector>

#include "platform/sdl/gamepad_mapping.hpp"

// SDL's own types, declared where SDL declares them.
struct _SDL_GameController;  // NOLINT(bugprone-reserved-identifier): SDL's own name

namespace tiefschacht {

class SdlGamepads {
public:
    SdlGamepads();
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Takes the controller arrivals and departures since the last call and
    // opens or closes controllers to match.
    void update();
    // What every open controller holds, combined.
    void addToKeyboard(KeyboardSnapshot& keys) const;
    void addToMouse(MouseSnapshot& mouse);
    // Forgets partial cursor motion (after the focus comes back).
    void resetMotion();

private:
    struct Closer {
        void operator()(_SDL_GameController* pad) const;
    };
    void rescan();

    bool subsystem_ = false;
    int knownJoysticks_ = -1;
    std::vector<std::unique_ptr<_SDL_GameController, Closer>> pads_;
    float carryX_ = 0.0f;
    float carryY_ = 0.0f;
};

}  // namespace tiefschacht
