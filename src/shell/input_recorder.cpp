// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/input_recorder.hpp"

#include "platform/headless/input_script.hpp"

namespace tiefschacht {

Recording recording;

void InputRecorder::capture(const KeyboardSnapshot& keys, const MouseSnapshot& mouse) {
    std::string line =
        InputScript::describe(keys, mouse.dx, mouse.dy, (mouse.buttons[0] & 0x80) != 0);
    ++polls_;
    if (currentCount_ > 0 && line == current_) {
        ++currentCount_;
        return;
    }
    if (currentCount_ > 0) finished_ += std::to_string(currentCount_) + " " + current_ + "\n";
    current_ = std::move(line);
    currentCount_ = 1;
}

std::string InputRecorder::text() const {
    std::string out = "# recorded input: <count> <keys> <dx> <dy> <buttons>\n" + finished_;
    if (currentCount_ > 0) out += std::to_string(currentCount_) + " " + current_ + "\n";
    return out;
}

}  // namespace tiefschacht
