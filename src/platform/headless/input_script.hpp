// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Input scripts: plain text, one line per run of frames.
//   <count> <keys> [<dx> <dy> [<buttons>]]
// keys: "-" or key names joined by "+"; buttons: "L" or "-". '#' starts a
// comment; blank lines are ignored. Each line feeds `count` consecutive polls.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

struct ScriptLine {
    int32_t count = 1;
    KeyboardSnapshot keys{};  // 0x80 for each key held
    int32_t dx = 0;
    int32_t dy = 0;
    bool leftButton = false;
};

class InputScript {
public:
    // Parses a whole script. On a malformed line returns false and sets
    // `error` to a message naming the line number.
    bool parse(const std::string& text, std::string& error);
    // Reads and parses a script file, which must be a regular file. On
    // failure `error` says why, without the file's name.
    bool load(const std::string& path, std::string& error);

    // The snapshot of poll number `poll` (0-based); past the end, no input.
    const ScriptLine& lineForPoll(uint64_t poll) const;
    uint64_t totalPolls() const { return totalPolls_; }

    // One line of the format for a snapshot (as --record writes it, without
    // the count), e.g. "Left+Space 3 -2 L".
    static std::string describe(const KeyboardSnapshot& keys, int32_t dx, int32_t dy,
                                bool leftButton);
    // The key code of a key name of the format, or -1.
    static int keyCodeOf(const std::string& name);

private:
    std::vector<ScriptLine> lines_;
    std::vector<uint64_t> firstPoll_;  // first poll index of each line
    uint64_t totalPolls_ = 0;
    ScriptLine none_{};
};

}  // namespace tiefschacht
