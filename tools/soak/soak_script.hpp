// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes an input script of a given number of polls from a seed: random
// runs of the game's keys, mouse motion and clicks that keep driving the
// game through the title, the main menu, play, the highscore entry and back,
// without ever ending the program before the last frame. The same seed gives
// the same script.
#include <cstdint>
#include <string>

namespace tiefschacht {

struct SoakOptions {
    uint64_t seed = 1;
    uint64_t frames = 50000;
    // The last frames go to the exit screen (Escape, then harmless motion
    // and clicks). No more than a tenth of the run, and none in short runs.
    uint64_t exitFrames = 400;
};

// What the writer knows after writing: the counts of what it asked for.
struct SoakSummary {
    uint64_t polls = 0;
    uint64_t lines = 0;
    uint64_t clicks = 0;          // presses of the left button
    uint64_t targetedClicks = 0;  // of them, on a button the writer aimed at
    uint64_t pauses = 0;          // Pause presses
    uint64_t names = 0;           // names typed
    int64_t cursorX = 0;          // the cursor's counts from the centre at the end
    int64_t cursorY = 0;
};

// The whole script as text, with a header comment and a closing comment that
// names the expected final cursor position in world units.
std::string writeSoakScript(const SoakOptions& options, SoakSummary* summary = nullptr);

}  // namespace tiefschacht
