// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard and mouse read from an input script: each pair of reads (mouse,
// then keyboard) takes the next poll of the script; past its end, and
// without a script, nothing is held and nothing moves.
#include <memory>

#include "platform/backends.hpp"
#include "platform/headless/input_script.hpp"

namespace tiefschacht {

namespace {

class ScriptInputDevices final : public InputDevices {
public:
    explicit ScriptInputDevices(std::shared_ptr<InputScript> script) : script_(std::move(script)) {}

    bool createKeyboard() override { return true; }
    bool createMouse() override { return true; }
    AcquireResult acquireKeyboard() override { return AcquireResult::Ok; }
    AcquireResult acquireMouse() override { return AcquireResult::Ok; }

    bool readKeyboard(KeyboardSnapshot& out) override {
        const ScriptLine& line = current(keyboardPolls_++);
        out = line.keys;
        return true;
    }

    bool readMouse(MouseSnapshot& out) override {
        const ScriptLine& line = current(mousePolls_++);
        out = MouseSnapshot{};
        out.dx = line.dx;
        out.dy = line.dy;
        out.buttons[0] = line.leftButton ? 0x80 : 0x00;
        return true;
    }

    void unacquire() override {}
    void release() override {}

private:
    const ScriptLine& current(uint64_t poll) const {
        return script_ ? script_->lineForPoll(poll) : none_;
    }

    std::shared_ptr<InputScript> script_;
    uint64_t keyboardPolls_ = 0;
    uint64_t mousePolls_ = 0;
    ScriptLine none_{};
};

}  // namespace

std::unique_ptr<InputDevices> createScriptInputDevices(std::shared_ptr<InputScript> script) {
    return std::make_unique<ScriptInputDevices>(std::move(script));
}

}  // namespace tiefschacht
