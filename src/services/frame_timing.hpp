// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measures where a frame's time goes, for --timedemo: the drawing (clearing,
// the screens' and play's drawing, presenting) and everything else (the
// game's update, the polls, the sound requests). Off unless enabled, so a
// normal run pays for one flag test per scope.
#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "services/app_state.hpp"

namespace tiefschacht {

// A histogram of durations with 10-microsecond bins up to one second (longer
// ones count in the last bin), so that a run of any length keeps its
// percentiles in a fixed amount of memory.
class DurationHistogram {
public:
    static constexpr int64_t binNanoseconds = 10'000;
    static constexpr size_t binCount = 100'001;

    void add(int64_t nanoseconds);
    uint64_t count() const { return count_; }
    double meanMilliseconds() const;
    // The smallest duration that at least `fraction` of the samples do not
    // exceed, to the upper edge of its bin.
    double percentileMilliseconds(double fraction) const;
    // How many samples lie within [low, high] milliseconds, to their bins.
    uint64_t countBetween(double lowMilliseconds, double highMilliseconds) const;

private:
    std::vector<uint32_t> bins_;  // made at the first sample: most runs time nothing
    uint64_t count_ = 0;
    long double totalNanoseconds_ = 0;
};

// Frames are timed in processor time of the game's thread: on a shared
// machine, wall time mostly measures the other processes. Start-up is timed
// on the wall clock, as it includes waiting for files.
using TimingClock = std::chrono::steady_clock;
int64_t threadCpuNanoseconds();
// Processor time of the whole process, every thread (audio, display drivers) included.
int64_t processCpuNanoseconds();
int64_t nanosecondsSince(TimingClock::time_point start);

struct FrameTiming {
    bool enabled = false;
    TimingClock::time_point programStart{};
    // From the program's start to the end of the first present of the title.
    double startUpMilliseconds = -1;
    TimingClock::time_point runStart{};
    int64_t runStartProcessCpu = 0;
    TimingClock::time_point lastFrameStart{};
    DurationHistogram period;  // wall time from one frame's start to the next
    int64_t frameStart = 0;
    int64_t drawNanosecondsThisFrame = 0;
    DurationHistogram update;
    DurationHistogram draw;
    DurationHistogram frame;
};

extern FrameTiming frameTiming;

void beginTimedFrame();
void endTimedFrame();
// Called after a present; the first one while the title is shown ends the
// start-up measurement.
void notePresented(GameState gameState);

// Adds the time from its construction to its destruction to the frame's
// drawing time.
class DrawTimeScope {
public:
    DrawTimeScope() {
        if (frameTiming.enabled) start_ = threadCpuNanoseconds();
    }
    ~DrawTimeScope() {
        if (frameTiming.enabled)
            frameTiming.drawNanosecondsThisFrame += threadCpuNanoseconds() - start_;
    }
    DrawTimeScope(const DrawTimeScope&) = delete;
    DrawTimeScope& operator=(const DrawTimeScope&) = delete;

private:
    int64_t start_ = 0;
};

}  // namespace tiefschacht
