#pragma once
// A video output that keeps every presented frame's last pixels and
// whether each present said the frame had changed.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace testsupport {

class RecordingVideo final : public VideoOutput {
public:
    bool openWindow(const char*, int, int, bool, std::string&) override { return true; }
    void closeWindow() override {}
    bool windowOpen() const override { return true; }
    void present(const uint32_t* argb, int w, int h, bool changed) override {
        frame.assign(argb, argb + static_cast<size_t>(w) * h);
        width = w;
        height = h;
        changes.push_back(changed);
    }
    const std::vector<uint32_t>& lastFrame() const override { return frame; }
    int lastFrameWidth() const override { return width; }
    int lastFrameHeight() const override { return height; }
    void showErrorBox(const char*, const char*) override {}
    bool hasFocus() const override { return true; }
    std::string presentation() const override { return "recorded"; }

    std::vector<uint32_t> frame;
    int width = 0, height = 0;
    std::vector<bool> changes;
};

}  // namespace testsupport
