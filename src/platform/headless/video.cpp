// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "platform/backends.hpp"

namespace tiefschacht {

namespace {
// No window: keeps the last presented frame (for screenshots).
class HeadlessVideoOutput final : public VideoOutput {
public:
    bool openWindow(const char*, int width, int height, bool, std::string& error) override {
        if (width <= 0 || height <= 0) {
            error = "the window size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is not usable";
            return false;
        }
        open_ = true;
        width_ = width;
        height_ = height;
        return true;
    }
    void closeWindow() override { open_ = false; }
    bool windowOpen() const override { return open_; }
    int windowWidth() const override { return width_; }
    int windowHeight() const override { return height_; }

    // The frame is kept, not copied: the device draws the next one elsewhere.
    void present(std::shared_ptr<const Frame> frame, bool) override {
        if (frame && frame->width > 0 && frame->height > 0) frame_ = std::move(frame);
    }
    const std::vector<uint32_t>& lastFrame() const override {
        return frame_ ? frame_->pixels : noFrame_;
    }
    int lastFrameWidth() const override { return frame_ ? frame_->width : 0; }
    int lastFrameHeight() const override { return frame_ ? frame_->height : 0; }

    void showErrorBox(const char* caption, const char* text) override {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
        std::fflush(stderr);
    }
    bool hasFocus() const override { return true; }
    std::string presentation() const override { return "none (headless: frames kept in memory)"; }

private:
    bool open_ = false;
    int width_ = 0;
    int height_ = 0;
    std::shared_ptr<const Frame> frame_;
    std::vector<uint32_t> noFrame_;
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

}  // namespace tiefschacht
