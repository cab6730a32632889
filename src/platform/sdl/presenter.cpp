// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/presenter.hpp"

#include <SDL.h>

#include <cstring>

namespace tiefschacht {

namespace {
constexpr unsigned glRendererString = 0x1F01;  // GL_RENDERER

// The OpenGL renderer string of the renderer's context (current once the
// renderer is made), or empty.
std::string openGlRenderer() {
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(glRendererString) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}
}  // namespace

bool SdlPresenter::open(SDL_Window* window, std::string& error) {
    close();
    window_ = window;
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");  // presentation never waits for the display
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // The renderer SDL would choose (SDL_RENDER_DRIVER is honoured), and for
    // OpenGL what rasterises behind it. Without a GPU device there is no
    // renderer to be had but a software one, so none is made unless one was
    // asked for by name.
    rendererAsked_ = gpuDevicePresent() || SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    SDL_Renderer* chosen = rendererAsked_ ? SDL_CreateRenderer(window_, -1, 0) : nullptr;
    SDL_RendererInfo info{};
    if (chosen != nullptr && SDL_GetRendererInfo(chosen, &info) == 0 && info.name != nullptr)
        rendererName_ = info.name;
    if (rendererName_.rfind("opengl", 0) == 0) glRenderer_ = openGlRenderer();
    kind_ = choosePresentation(rendererName_, glRenderer_);
    if (kind_ == PresentationKind::Accelerated) {
        renderer_ = chosen;
    } else {
        if (chosen != nullptr) SDL_DestroyRenderer(chosen);
        // The window's surface in the display's own memory, not a texture
        // of an OpenGL renderer.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // SDL 2 has no such surface on Wayland (its window surface there is
        // a texture of an OpenGL renderer): shared memory of our own instead.
        std::string noWaylandSurface;
        if (SDL_GetWindowSurface(window_) == nullptr &&
            (wayland_ = WaylandSurface::open(window_, noWaylandSurface)) == nullptr) {
            // A display without such surfaces: back to SDL's own choice.
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
            renderer_ = SDL_CreateRenderer(window_, -1, 0);
            if (renderer_ == nullptr) {
                error = std::string("no way to show frames in the window: ") + SDL_GetError();
                window_ = nullptr;
                return false;
            }
            kind_ = PresentationKind::Accelerated;
        }
    }
    SDL_AddEventWatch(&SdlPresenter::watchEvents, this);
    redraw_ = true;
    return true;
}

void SdlPresenter::close() {
    if (window_ == nullptr) return;
    SDL_DelEventWatch(&SdlPresenter::watchEvents, this);
    dropRenderer();
    wayland_.reset();
    window_ = nullptr;
    rendererName_.clear();
    glRenderer_.clear();
}

void SdlPresenter::dropRenderer() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
}

int SdlPresenter::watchEvents(void* presenter, SDL_Event* event) {
    auto* self = static_cast<SdlPresenter*>(presenter);
    if (event->type == SDL_WINDOWEVENT &&
        SDL_GetWindowID(self->window_) == event->window.windowID) {
        switch (event->window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED: self->redraw_ = true; break;
        default: break;
        }
    }
    return 0;
}

void SdlPresenter::present(const Frame& frame, bool changed) {
    if (window_ == nullptr || frame.width <= 0 || frame.height <= 0) return;
    if (wayland_ != nullptr) {
        // A frame the compositor could not take now is owed to the next call.
        if (changed || redraw_) redraw_ = !wayland_->present(frame);
        return;
    }
    if (kind_ == PresentationKind::Software && presentToSurface(frame, changed)) return;
    presentWithRenderer(frame, changed);
}

bool SdlPresenter::presentToSurface(const Frame& frame, bool changed) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || surface->w != frame.width || surface->h != frame.height) return false;
    if (renderer_ != nullptr) {
        // Back from a scaled size: the software renderer is not needed.
        dropRenderer();
        changed = true;
    }
    if (!changed && !redraw_) return true;
    const auto* from = reinterpret_cast<const uint8_t*>(frame.pixels.data());
    const int rowBytes = frame.width * 4;
    if (SDL_LockSurface(surface) != 0) return false;
    const uint32_t format = surface->format->format;
    if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
        auto* to = static_cast<uint8_t*>(surface->pixels);
        for (int y = 0; y < frame.height; ++y)
            std::memcpy(to + static_cast<size_t>(y) * surface->pitch,
                        from + static_cast<size_t>(y) * rowBytes, static_cast<size_t>(rowBytes));
    } else {
        SDL_ConvertPixels(frame.width, frame.height, SDL_PIXELFORMAT_ARGB8888, from, rowBytes,
                          format, surface->pixels, surface->pitch);
    }
    SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_);
    redraw_ = false;
    return true;
}

void SdlPresenter::presentWithRenderer(const Frame& frame, bool changed) {
    if (renderer_ == nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) return;
    }
    if (texture_ == nullptr || textureWidth_ != frame.width || textureHeight_ != frame.height) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
        if (texture_ == nullptr) return;
        textureWidth_ = frame.width;
        textureHeight_ = frame.height;
        SDL_RenderSetLogicalSize(renderer_, frame.width, frame.height);
        changed = true;
    }
    if (!changed && !redraw_) return;
    if (changed) SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), frame.width * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    redraw_ = false;
}

std::string SdlPresenter::description() const {
    if (window_ == nullptr) return "none (no window)";
    const std::string gl = glRenderer_.empty() ? "" : " (OpenGL: " + glRenderer_ + ")";
    if (kind_ == PresentationKind::Accelerated) return "SDL renderer " + rendererName_ + gl;
    const std::string chosen = !rendererName_.empty() ? "SDL chose renderer " + rendererName_ + gl
                               : rendererAsked_       ? "SDL chose no renderer"
                                                      : "no GPU device, no renderer asked for";
    if (wayland_ != nullptr)
        return std::string("window surface in Wayland shared memory") +
               (wayland_->scaled() ? ", scaled (" : " (") + chosen + ")";
    if (renderer_ != nullptr) return "SDL software renderer, scaled (" + chosen + ")";
    return "window surface (" + chosen + ")";
}

}  // namespace tiefschacht
