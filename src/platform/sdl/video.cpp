// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/application_id.hpp"
#include "platform/backends.hpp"
#include "platform/sdl/display_probe.hpp"
#include "platform/sdl/presenter.hpp"
#include "platform/sdl/x11_connection_loss.hpp"

namespace tiefschacht {

namespace {
// SDL falls back on drivers that draw into memory when no display answers; a
// window there is one nobody sees, so it counts only when that driver was
// asked for by name (SDL_VIDEODRIVER, a name or a comma-separated list).
bool reachesADisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    if (SDL_strcasecmp(driver, "offscreen") != 0 && SDL_strcasecmp(driver, "dummy") != 0)
        return true;
    const char* asked = SDL_GetHint("SDL_VIDEODRIVER");
    if (!asked) return false;
    const size_t length = std::strlen(driver);
    for (const char* p = asked; *p != '\0';) {
        const char* end = std::strchr(p, ',');
        const size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (n == length && SDL_strncasecmp(p, driver, n) == 0) return true;
        if (!end) break;
        p = end + 1;
    }
    return false;
}

// One borderless SDL window; finished frames reach it through the presenter
// (sdl_presenter.hpp). Full-screen uses the desktop's full-screen mode: the
// display mode is not changed, the picture is scaled to fit at its own 4:3
// shape with black bars beside it.
class SdlVideoOutput final : public VideoOutput {
public:
    ~SdlVideoOutput() override { closeWindow(); }

    bool openWindow(const char* title, int width, int height, bool fullScreen,
                    std::string& error) override {
        closeWindow();
        if (width <= 0 || height <= 0) {
            error = "the window size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is not usable";
            return false;
        }
        // The desktop finds the game's entry and icon by the window's class
        // (X11) or application id (Wayland), which SDL takes from these
        // variables when the video starts; a value the user set stays.
        setenv("SDL_VIDEO_X11_WMCLASS", applicationId, 0);
        setenv("SDL_VIDEO_WAYLAND_WMCLASS", applicationId, 0);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            error = whyNoDisplay();
            return false;
        }
        videoStarted_ = true;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver != nullptr && SDL_strcasecmp(driver, "x11") == 0)
            endAtOnceWhenTheXServerIsLost();
        if (!reachesADisplay()) {
            error = whyNoDisplay();
            closeWindow();
            return false;
        }
        // The pointer's place is read as a snapshot, never from the queue;
        // motion events would only fill it.
        SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
        SDL_EventState(SDL_TEXTINPUT, SDL_IGNORE);
        SDL_EventState(SDL_TEXTEDITING, SDL_IGNORE);

        Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
        if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window_ = SDL_CreateWindow(title, 0, 0, width, height, flags);
        width_ = width;
        height_ = height;
        if (!window_) {
            error = std::string("the window cannot be created: ") + SDL_GetError();
            closeWindow();
            return false;
        }
        if (!presenter_.open(window_, error)) {
            closeWindow();
            return false;
        }
        return true;
    }

    void closeWindow() override {
        presenter_.close();
        if (window_) SDL_DestroyWindow(window_);
        window_ = nullptr;
        if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }

    bool windowOpen() const override { return window_ != nullptr; }

    void present(std::shared_ptr<const Frame> frame, bool changed) override {
        if (!frame || frame->width <= 0 || frame->height <= 0) return;
        presenter_.present(*frame, changed);
        frame_ = std::move(frame);
    }

    const std::vector<uint32_t>& lastFrame() const override {
        return frame_ ? frame_->pixels : noFrame_;
    }
    int windowWidth() const override { return width_; }
    int windowHeight() const override { return height_; }
    int lastFrameWidth() const override { return frame_ ? frame_->width : 0; }
    int lastFrameHeight() const override { return frame_ ? frame_->height : 0; }

    void showErrorBox(const char* caption, const char* text) override {
        // Shown over the window; without a display the text still reaches stderr.
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption ? caption : "", text ? text : "",
                                     window_) != 0) {
            std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
            std::fflush(stderr);
        }
    }

    bool hasFocus() const override {
        return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    }

    // Desktops show icons at 256 pixels at most; a larger picture would only
    // make a window property of many megabytes.
    void setIcon(const DecodedImage& icon) override {
        constexpr int largestIcon = 256;
        if (!window_ || icon.width <= 0 || icon.height <= 0 || icon.width > largestIcon ||
            icon.height > largestIcon ||
            icon.argb.size() != static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height))
            return;
        // SDL copies the pixels; the surface only lends them.
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(icon.argb.data()), icon.width, icon.height, 32, icon.width * 4,
            SDL_PIXELFORMAT_ARGB8888);
        if (!surface) return;
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
    }

    std::string presentation() const override { return presenter_.description(); }

private:
    SDL_Window* window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    SdlPresenter presenter_;
    bool videoStarted_ = false;
    std::shared_ptr<const Frame> frame_;  // the last presented frame, kept for a screenshot
    std::vector<uint32_t> noFrame_;
};

// Alt+Enter switches between the window and the desktop's full-screen mode,
// where the picture keeps its shape with black bars beside it.
void toggleFullScreen(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window) return;
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Keyboard, mouse, controller and touch events: the input devices read their
// state as snapshots (noting short presses as the events arrive), so here
// these events are only looked at for Alt+Enter and then dropped, however
// many have queued up.
bool isInputEvent(Uint32 type) {
    return (type >= SDL_KEYDOWN && type <= SDL_JOYBUTTONUP) ||
           (type >= SDL_CONTROLLERAXISMOTION && type <= SDL_CONTROLLERBUTTONUP) ||
           (type >= SDL_CONTROLLERTOUCHPADDOWN && type <= SDL_CONTROLLERSENSORUPDATE) ||
           (type >= SDL_FINGERDOWN && type < SDL_CLIPBOARDUPDATE);
}

PlatformEvent windowEvent(Uint8 event) {
    switch (event) {
    case SDL_WINDOWEVENT_CLOSE: return PlatformEvent::CloseWindow;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED: return PlatformEvent::FocusLost;
    case SDL_WINDOWEVENT_FOCUS_GAINED: return PlatformEvent::FocusGained;
    default: return PlatformEvent::Other;
    }
}

// At most one of the window's own events per call. The window's close
// button and the desktop's quit request both become CloseWindow; losing the
// keyboard focus and being minimised become FocusLost.
class SdlWindowEvents final : public WindowEvents {
public:
    PlatformEvent takeEvent() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return PlatformEvent::None;
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (!isInputEvent(e.type)) {
                if (e.type == SDL_QUIT) return PlatformEvent::CloseWindow;
                if (e.type == SDL_WINDOWEVENT) return windowEvent(e.window.event);
                return PlatformEvent::Other;
            }
            if (e.type == SDL_KEYDOWN && e.key.repeat == 0 &&
                (e.key.keysym.scancode == SDL_SCANCODE_RETURN ||
                 e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
                (e.key.keysym.mod & KMOD_ALT) != 0)
                toggleFullScreen(e.key.windowID);
        }
        return PlatformEvent::None;
    }

    bool closePending() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
        SDL_PumpEvents();
        std::array<SDL_Event, 32> waiting;
        const int n = SDL_PeepEvents(waiting.data(), static_cast<int>(waiting.size()),
                                     SDL_PEEKEVENT, SDL_QUIT, SDL_WINDOWEVENT);
        for (int i = 0; i < n; ++i) {
            const SDL_Event& e = waiting[static_cast<size_t>(i)];
            if (e.type == SDL_QUIT ||
                (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE))
                return true;
        }
        return false;
    }
};
}  // namespace

std::unique_ptr<VideoOutput> createSdlVideoOutput() { return std::make_unique<SdlVideoOutput>(); }
std::unique_ptr<WindowEvents> createSdlWindowEvents() {
    return std::make_unique<SdlWindowEvents>();
}

}  // namespace tiefschacht
