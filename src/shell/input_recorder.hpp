// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes down the keyboard and mouse snapshots the polls read, in the
// input-script format, so that a recorded game can be replayed exactly.
// Equal consecutive snapshots are kept as one line with a count.
#include <cstdint>
#include <string>

#include "platform/seams.hpp"

namespace tiefschacht {

class InputRecorder {
public:
    // Adds the snapshot of one poll.
    void capture(const KeyboardSnapshot& keys, const MouseSnapshot& mouse);
    // The whole recording so far, one "<count> <snapshot>" line per run.
    std::string text() const;
    uint64_t polls() const { return polls_; }

private:
    std::string finished_;  // lines of the runs already ended
    std::string current_;   // the snapshot of the run still going on
    uint64_t currentCount_ = 0;
    uint64_t polls_ = 0;
};

// --record: whether the polls are written down, and what was written.
struct Recording {
    bool on = false;
    InputRecorder recorder;
};

extern Recording recording;

}  // namespace tiefschacht
