// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A video output that keeps the last presented frame and lists whether
// each present said the frame had changed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

namespace testsupport {

class RecordingVideo final : public VideoOutput {
public:
    bool openWindow(const char*, int, int, bool, std::string&) override { return true; }
    void closeWindow() override {}
    bool windowOpen() const override { return true; }
    int windowWidth() const override { return 0; }
    int windowHeight() const override { return 0; }
    void present(std::shared_ptr<const Frame> presented, bool changed) override {
        shown = std::move(presented);
        changes.push_back(changed);
    }
    const std::vector<uint32_t>& lastFrame() const override {
        return shown ? shown->pixels : none_;
    }
    int lastFrameWidth() const override { return shown ? shown->width : 0; }
    int lastFrameHeight() const override { return shown ? shown->height : 0; }
    void showErrorBox(const char*, const char*) override {}
    bool hasFocus() const override { return true; }
    std::string presentation() const override { return "recorded"; }

    std::shared_ptr<const Frame> shown;
    std::vector<bool> changes;

private:
    std::vector<uint32_t> none_;
};

}  // namespace testsupport

}  // namespace tiefschacht
