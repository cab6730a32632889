#include <SDL.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/backends.hpp"

namespace {
// SDL falls back on drivers that draw into memory when no display answers; a
// window there is one nobody sees, so it counts only when that driver was
// asked for by name (SDL_VIDEODRIVER, a name or a comma-separated list).
bool reachesADisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    if (SDL_strcasecmp(driver, "offscreen") != 0 && SDL_strcasecmp(driver, "dummy") != 0) return true;
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

// One borderless SDL window with a renderer and one streaming ARGB8888
// texture that each finished frame is copied into. Full-screen uses the
// desktop's full-screen mode: the display mode is not changed, the picture
// is scaled to fit at its own 4:3 shape with black bars beside it.
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
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            error = std::string("no display: ") + SDL_GetError();
            return false;
        }
        videoStarted_ = true;
        if (!reachesADisplay()) {
            error = std::string("no display: SDL found none and fell back on its ") +
                    SDL_GetCurrentVideoDriver() +
                    " driver, which shows nothing (is DISPLAY or WAYLAND_DISPLAY set?)";
            closeWindow();
            return false;
        }
        // Mouse motion is read as a snapshot of relative counts, never from
        // the queue; letting every motion event queue up would bury the
        // messages that matter (one is taken per frame).
        SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
        SDL_EventState(SDL_TEXTINPUT, SDL_IGNORE);
        SDL_EventState(SDL_TEXTEDITING, SDL_IGNORE);
        SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");

        Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
        if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window_ = SDL_CreateWindow(title, 0, 0, width, height, flags);
        if (!window_) {
            error = std::string("the window cannot be created: ") + SDL_GetError();
            closeWindow();
            return false;
        }
        // No PRESENTVSYNC: presentation must never wait for the display.
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) {
            error = std::string("no renderer for the window: ") + SDL_GetError();
            closeWindow();
            return false;
        }
        SDL_RendererInfo info{};
        presentation_ = std::string("SDL renderer ") +
                        (SDL_GetRendererInfo(renderer_, &info) == 0 && info.name ? info.name : "(unknown)");
        SDL_RenderSetLogicalSize(renderer_, width, height);
        logicalWidth_ = width;
        logicalHeight_ = height;
        return true;
    }

    void closeWindow() override {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        textureWidth_ = textureHeight_ = 0;
        if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }

    bool windowOpen() const override { return window_ != nullptr; }

    void present(const uint32_t* argb, int width, int height, bool changed) override {
        if (!argb || width <= 0 || height <= 0) return;
        bool sameSize = width == frameWidth_ && height == frameHeight_;
        if (changed || !sameSize) {
            frameWidth_ = width;
            frameHeight_ = height;
            frame_.assign(argb, argb + static_cast<size_t>(width) * static_cast<size_t>(height));
        }
        if (!renderer_) return;
        if (!texture_ || textureWidth_ != width || textureHeight_ != height) {
            if (texture_) SDL_DestroyTexture(texture_);
            texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STREAMING, width, height);
            if (!texture_) return;
            textureWidth_ = width;
            textureHeight_ = height;
            changed = true;
        }
        if (changed) SDL_UpdateTexture(texture_, nullptr, argb, width * 4);
        if (width != logicalWidth_ || height != logicalHeight_) {
            SDL_RenderSetLogicalSize(renderer_, width, height);
            logicalWidth_ = width;
            logicalHeight_ = height;
        }
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    const std::vector<uint32_t>& lastFrame() const override { return frame_; }
    int lastFrameWidth() const override { return frameWidth_; }
    int lastFrameHeight() const override { return frameHeight_; }

    void showErrorBox(const char* caption, const char* text) override {
        // Shown over the window; without a display the text still reaches stderr.
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption ? caption : "",
                                     text ? text : "", window_) != 0) {
            std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
            std::fflush(stderr);
        }
    }

    bool hasFocus() const override {
        return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    }

    std::string presentation() const override { return presentation_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool videoStarted_ = false;
    int textureWidth_ = 0, textureHeight_ = 0;
    int logicalWidth_ = 0, logicalHeight_ = 0;
    std::vector<uint32_t> frame_;
    int frameWidth_ = 0, frameHeight_ = 0;
    std::string presentation_;
};

// One SDL event per call. The window's close button and the desktop's
// quit request both become CloseWindow.
class SdlWindowEvents final : public WindowEvents {
public:
    PlatformEvent takeEvent() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return PlatformEvent::None;
        SDL_Event e;
        if (!SDL_PollEvent(&e)) return PlatformEvent::None;
        if (e.type == SDL_QUIT) return PlatformEvent::CloseWindow;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)
            return PlatformEvent::CloseWindow;
        return PlatformEvent::Other;
    }

    bool closePending() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
        SDL_PumpEvents();
        std::array<SDL_Event, 32> waiting;
        const int n = SDL_PeepEvents(waiting.data(), static_cast<int>(waiting.size()), SDL_PEEKEVENT, SDL_QUIT,
                                     SDL_WINDOWEVENT);
        for (int i = 0; i < n; ++i) {
            const SDL_Event& e = waiting[static_cast<size_t>(i)];
            if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE))
                return true;
        }
        return false;
    }
};
}  // namespace

std::unique_ptr<VideoOutput> createSdlVideoOutput() { return std::make_unique<SdlVideoOutput>(); }
std::unique_ptr<WindowEvents> createSdlWindowEvents() { return std::make_unique<SdlWindowEvents>(); }
