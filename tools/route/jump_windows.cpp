// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump_windows.hpp"

#include <algorithm>
#include <deque>

#include "levelgen/zones.hpp"
#include "play/play_state.hpp"
#include "route_player.hpp"

namespace tiefschacht {

namespace route {

namespace {

// Take-offs tried on either side of the route's own.
constexpr int maxOffset = 40;
// A step may run this much longer than with the route's take-off.
constexpr int slackFrames = 300;

bool isJump(const Step& step) {
    for (const std::string& key : step.keys)
        if (key == "Space") return true;
    return false;
}

bool waitsForRow(const Step& step) {
    for (const Condition& c : step.until)
        if (c.quantity == "row") return true;
    return false;
}

// The last step of what jump `j` leads to.
size_t segmentEnd(const std::vector<Step>& steps, size_t j) {
    for (size_t m = j + 1; m < steps.size(); ++m) {
        if (isJump(steps[m])) return m - 1;
        if (waitsForRow(steps[m])) return m;
    }
    return steps.size() - 1;
}

const char* zoneName(int row) {
    switch (levelsource::zoneOfRow(row)) {
    case levelsource::Zone::Waldrand: return "Waldrand";
    case levelsource::Zone::Eulenhoehle: return "Eulenhoehle";
    case levelsource::Zone::Gruft: return "Gruft";
    case levelsource::Zone::Vampirgewoelbe: return "Vampirgewoelbe";
    }
    return "?";
}

// Plays steps [j, end] from the current state; each may run its reference
// length plus slack. Where the route's own take-off leads: `row` and `won`.
bool playSegment(Game& game, const std::vector<Step>& steps, size_t j, size_t end,
                 const std::vector<int>& referenceFrames, int& row, bool& won) {
    won = false;
    for (size_t m = j; m <= end; ++m) {
        const size_t k = m - j;
        const int cap = k < referenceFrames.size() ? referenceFrames[k] * 2 + slackFrames : 6001;
        const StepOutcome o = playStep(game, steps[m], cap);
        if (o.end == StepEnd::Won) {
            won = true;
            break;
        }
        if (o.end != StepEnd::Done) return false;
    }
    row = heroRow();
    return true;
}

}  // namespace

int requiredWindow(int row) {
    return levelsource::zoneOfRow(row) <= levelsource::Zone::Eulenhoehle ? 8 : 4;
}

bool measureJumpWindows(Game& game, const std::vector<Step>& steps, std::vector<JumpWindow>& out,
                        std::string& error) {
    // The states before each frame of the current run-up, the last one the
    // state at the route's own take-off.
    std::deque<Snapshot> runUp;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (isJump(step) && i > 0) {
            const Snapshot takeOff(game);
            const size_t end = segmentEnd(steps, i);
            JumpWindow w;
            w.line = step.line;
            w.row = heroRow();

            // The route's own take-off, with the frames each step takes.
            std::vector<int> frames;
            for (size_t m = i; m <= end; ++m) {
                const StepOutcome o = playStep(game, steps[m], 6001);
                frames.push_back(o.frames);
                if (o.end != StepEnd::Done) break;
            }
            int referenceRow = heroRow();
            bool referenceWon = app.gameState == StateWon;

            auto works = [&](int offset) {
                if (offset <= 0) {
                    runUp[runUp.size() - 1 - static_cast<size_t>(-offset)].restore(game);
                } else {
                    takeOff.restore(game);
                    for (int f = 0; f < offset; ++f) {
                        playFrame(game, keysForFrame(game, steps[i - 1]));
                        if (play.deathTimer > 0 || app.gameState == StateWon) return false;
                    }
                }
                int row = 0;
                bool won = false;
                return playSegment(game, steps, i, end, frames, row, won) && won == referenceWon &&
                       (won || row == referenceRow);
            };
            for (;;) {
                const int next = w.earliest - 1;
                if (next < -maxOffset || static_cast<size_t>(-next) >= runUp.size()) {
                    w.cutShort = true;
                    break;
                }
                if (!works(next)) break;
                w.earliest = next;
            }
            for (;;) {
                if (w.latest + 1 > maxOffset) {
                    w.cutShort = true;
                    break;
                }
                if (!works(w.latest + 1)) break;
                ++w.latest;
            }
            out.push_back(w);
            takeOff.restore(game);
        }

        const bool beforeJump = i + 1 < steps.size() && isJump(steps[i + 1]);
        runUp.clear();
        if (beforeJump) runUp.emplace_back(game);
        const StepOutcome o = playStep(game, step, 6001, [&](const std::string&) {
            if (!beforeJump) return;
            runUp.emplace_back(game);
            if (runUp.size() > maxOffset + 1) runUp.pop_front();
        });
        if (o.end == StepEnd::Won) return true;
        if (o.end != StepEnd::Done) {
            error = "line " + std::to_string(step.line) + ": the route fails here";
            return false;
        }
    }
    error = "the route ends without the treasure";
    return false;
}

int printJumpWindows(const std::vector<JumpWindow>& windows, std::FILE* to) {
    int narrow = 0;
    std::fprintf(to, "route line  row  zone             take-off frames  window  needed\n");
    for (const JumpWindow& w : windows) {
        const bool ok = w.frames() >= requiredWindow(w.row);
        if (!ok) ++narrow;
        std::fprintf(to, "%10d  %3d  %-15s  %+4d .. %+-4d%s  %6d  %6d%s\n", w.line, w.row,
                     zoneName(w.row), w.earliest, w.latest, w.cutShort ? "+" : " ", w.frames(),
                     requiredWindow(w.row), ok ? "" : "  too narrow");
    }
    // Per zone, from the top: a zone without jumps shows as such.
    std::fprintf(to, "\nzone             jumps  narrowest  needed\n");
    for (const int top : {399, 383, 201, 101}) {
        int count = 0, narrowest = 0;
        for (const JumpWindow& w : windows) {
            if (levelsource::zoneOfRow(w.row) != levelsource::zoneOfRow(top)) continue;
            narrowest = count == 0 ? w.frames() : std::min(narrowest, w.frames());
            ++count;
        }
        if (count == 0)
            std::fprintf(to, "%-15s  %5d  %9s  %6d\n", zoneName(top), 0, "-", requiredWindow(top));
        else
            std::fprintf(to, "%-15s  %5d  %9d  %6d\n", zoneName(top), count, narrowest,
                         requiredWindow(top));
    }
    std::fflush(to);
    return narrow;
}

}  // namespace route

}  // namespace tiefschacht
