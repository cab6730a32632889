// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window surface for an SDL window on Wayland: finished frames are copied
// into buffers of shared memory (wl_shm) that the compositor reads, as SDL's
// window surface does on X11. SDL 2 has no such surface for Wayland: its
// window surface there is the texture of an OpenGL renderer, which without a
// GPU is a software rasteriser that keeps a processor busy.
#include <memory>
#include <string>

#include "platform/seams.hpp"

struct SDL_Window;

namespace tiefschacht {

class WaylandSurface {
    struct Passkey {};

public:
    explicit WaylandSurface(Passkey /*unused*/);
    // The surface of `window`, or null with the reason in `error` when the
    // window is not a Wayland one or the compositor offers no shared memory.
    static std::unique_ptr<WaylandSurface> open(SDL_Window* window, std::string& error);
    ~WaylandSurface();
    WaylandSurface(const WaylandSurface&) = delete;
    WaylandSurface& operator=(const WaylandSurface&) = delete;

    // Shows the frame: as it is when it has the window's size, else scaled to
    // fit at its own shape with black bars beside it. False when it could not
    // be shown now (every buffer still held by the compositor, or no memory
    // for one); the next call shows it.
    bool present(const Frame& frame);
    // Whether the last frame shown was scaled.
    bool scaled() const { return scaled_; }

    struct Connection;  // the compositor's objects, on an event queue of our own

private:
    std::unique_ptr<Connection> connection_;
    bool scaled_ = false;
};

}  // namespace tiefschacht
