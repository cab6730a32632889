// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Showing finished frames in an SDL window (presentation_choice.hpp says
// which way). Every way copies a changed frame once, straight from the
// device's frame: into a streaming texture of the chosen renderer, or into
// the window surface (on Wayland, where SDL 2 has none, buffers of shared
// memory: wayland_surface.hpp). An unchanged frame costs nothing unless the window
// lost its picture (uncovered, resized, shown again). Frames keep their 4:3
// shape: scaled to fit, with black bars beside them.
#include <memory>
#include <string>

#include "platform/sdl/presentation_choice.hpp"
#include "platform/sdl/wayland_surface.hpp"
#include "platform/seams.hpp"

// SDL's own types, declared where SDL declares them.
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace tiefschacht {

class SdlPresenter {
public:
    SdlPresenter() = default;
    ~SdlPresenter() { close(); }
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Chooses the presentation for the window; false (with `error`) when
    // frames cannot be shown in it at all.
    bool open(SDL_Window* window, std::string& error);
    void close();
    void present(const Frame& frame, bool changed);
    // How frames reach the screen now, in a few words.
    std::string description() const;

private:
    // Called by SDL for every event as it arrives.
    static int watchEvents(void* presenter, SDL_Event* event);
    // Shows the frame through renderer_ (made for scaling when null and
    // presenting in software).
    void presentWithRenderer(const Frame& frame, bool changed);
    // Copies the frame into the window surface; false when the window
    // surface does not have the frame's size.
    bool presentToSurface(const Frame& frame, bool changed);
    void dropRenderer();

    SDL_Window* window_ = nullptr;
    PresentationKind kind_ = PresentationKind::Software;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::unique_ptr<WaylandSurface> wayland_;  // the window surface on Wayland
    int textureWidth_ = 0, textureHeight_ = 0;
    bool redraw_ = true;          // the window needs the frame again, changed or not
    std::string rendererName_;    // of the renderer SDL chose first
    std::string glRenderer_;      // its OpenGL renderer string
    bool rendererAsked_ = false;  // a GPU device, or SDL_RENDER_DRIVER named a renderer
};

}  // namespace tiefschacht
