#include <cstdio>

#include "platform/backends.hpp"

namespace {
// No window: keeps the last presented frame in memory (for screenshots).
class HeadlessVideoOutput final : public VideoOutput {
public:
    bool openWindow(const char*, int width, int height, bool, std::string& error) override {
        if (width <= 0 || height <= 0) {
            error = "the window size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is not usable";
            return false;
        }
        open_ = true;
        return true;
    }
    void closeWindow() override { open_ = false; }
    bool windowOpen() const override { return open_; }

    void present(const uint32_t* argb, int width, int height, bool changed) override {
        if (!argb || width <= 0 || height <= 0) return;
        bool sameSize = width == width_ && height == height_;
        if (!changed && sameSize) return;
        width_ = width;
        height_ = height;
        frame_.assign(argb, argb + static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    const std::vector<uint32_t>& lastFrame() const override { return frame_; }
    int lastFrameWidth() const override { return width_; }
    int lastFrameHeight() const override { return height_; }

    void showErrorBox(const char* caption, const char* text) override {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
        std::fflush(stderr);
    }
    bool hasFocus() const override { return true; }
    std::string presentation() const override { return "none (headless: frames kept in memory)"; }

private:
    bool open_ = false;
    std::vector<uint32_t> frame_;
    int width_ = 0;
    int height_ = 0;
};

// Nothing arrives unless the game itself sends it.
class HeadlessWindowEvents final : public WindowEvents {
public:
    PlatformEvent takeEvent() override { return PlatformEvent::None; }
    bool closePending() override { return false; }
};
}  // namespace

std::unique_ptr<VideoOutput> createHeadlessVideoOutput() {
    return std::make_unique<HeadlessVideoOutput>();
}
std::unique_ptr<WindowEvents> createHeadlessWindowEvents() {
    return std::make_unique<HeadlessWindowEvents>();
}
