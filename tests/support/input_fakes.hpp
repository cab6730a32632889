// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the input devices and the window, for the poll tests.
#include <deque>
#include <string>
#include <vector>

#include "platform/key_codes.hpp"
#include "platform/seams.hpp"

namespace tiefschacht {

class FakeInputDevices final : public InputDevices {
public:
    bool keyboardPresent = true;
    bool mousePresent = true;
    std::deque<KeyboardSnapshot> keyboardReads;  // empty: the read fails
    std::deque<MouseSnapshot> mouseReads;        // empty: the read fails
    int inputLostAnswers = 0;                    // acquires answering "input lost" before Ok
    int keyboardAcquires = 0, mouseAcquires = 0;
    bool released = false;

    bool createKeyboard() override { return keyboardPresent; }
    bool createMouse() override { return mousePresent; }
    AcquireResult acquireKeyboard() override {
        ++keyboardAcquires;
        return answer();
    }
    AcquireResult acquireMouse() override {
        ++mouseAcquires;
        return answer();
    }
    bool readKeyboard(KeyboardSnapshot& out) override {
        if (keyboardReads.empty()) return false;
        out = keyboardReads.front();
        keyboardReads.pop_front();
        return true;
    }
    bool readMouse(MouseSnapshot& out) override {
        if (mouseReads.empty()) return false;
        out = mouseReads.front();
        mouseReads.pop_front();
        return true;
    }
    void unacquire() override {}
    void release() override { released = true; }

private:
    AcquireResult answer() {
        if (inputLostAnswers > 0) {
            --inputLostAnswers;
            return AcquireResult::InputLost;
        }
        return AcquireResult::Ok;
    }
};

class FakeVideo final : public VideoOutput {
public:
    std::vector<std::string> boxes;  // "caption|text"

    bool openWindow(const char*, int, int, bool, std::string&) override { return true; }
    void closeWindow() override {}
    bool windowOpen() const override { return true; }
    int windowWidth() const override { return 0; }
    int windowHeight() const override { return 0; }
    void present(std::shared_ptr<const Frame>, bool) override {}
    const std::vector<uint32_t>& lastFrame() const override { return frame_; }
    int lastFrameWidth() const override { return 0; }
    int lastFrameHeight() const override { return 0; }
    void showErrorBox(const char* caption, const char* text) override {
        boxes.push_back(std::string(caption) + "|" + text);
    }
    bool hasFocus() const override { return true; }
    std::string presentation() const override { return "recorded"; }

private:
    std::vector<uint32_t> frame_;
};

inline KeyboardSnapshot keysDown(std::initializer_list<uint8_t> codes) {
    KeyboardSnapshot keys{};
    for (uint8_t code : codes) keys[code] = keyDownBit;
    return keys;
}

inline MouseSnapshot mouseMove(int32_t dx, int32_t dy, bool left = false) {
    MouseSnapshot m;
    m.dx = dx;
    m.dy = dy;
    m.buttons[0] = left ? 0x80 : 0;
    return m;
}

}  // namespace tiefschacht
