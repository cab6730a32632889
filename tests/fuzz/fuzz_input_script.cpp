// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Input scripts (--input): loaded from a file as the program does. A script
// that loads must map every poll to its line, and each line written back the
// way --record writes it must parse to the same input.
#include <algorithm>
#include <string>

#include "fuzz_support.hpp"
#include "platform/headless/input_script.hpp"

using namespace tiefschacht;

namespace {
constexpr const char* scriptFile = "script.txt";
constexpr size_t linesRechecked = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(scriptFile, data, size);
    InputScript script;
    std::string error;
    if (!script.load(scriptFile, error)) {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(script.totalPolls() == 0);
        return 0;
    }
    FUZZ_CHECK(error.empty());

    // Walk the script line by line through the polls where each line starts.
    const uint64_t total = script.totalPolls();
    const ScriptLine& past = script.lineForPoll(total);
    FUZZ_CHECK(past.count == 1 && past.dx == 0 && past.dy == 0 && !past.leftButton);
    FUZZ_CHECK(std::all_of(past.keys.begin(), past.keys.end(), [](uint8_t k) { return k == 0; }));

    uint64_t poll = 0;
    for (size_t n = 0; poll < total && n < linesRechecked; ++n) {
        const ScriptLine& line = script.lineForPoll(poll);
        FUZZ_CHECK(line.count >= 1);
        FUZZ_CHECK(&script.lineForPoll(poll + static_cast<uint64_t>(line.count) - 1) == &line);

        InputScript again;
        std::string againError;
        const std::string text =
            std::to_string(line.count) + " " +
            InputScript::describe(line.keys, line.dx, line.dy, line.leftButton) + "\n";
        FUZZ_CHECK(again.parse(text, againError));
        FUZZ_CHECK(again.totalPolls() == static_cast<uint64_t>(line.count));
        const ScriptLine& back = again.lineForPoll(0);
        FUZZ_CHECK(back.keys == line.keys && back.dx == line.dx && back.dy == line.dy &&
                   back.leftButton == line.leftButton);
        poll += static_cast<uint64_t>(line.count);
    }
    return 0;
}
