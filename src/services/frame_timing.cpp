// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/frame_timing.hpp"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "services/app_state.hpp"

namespace tiefschacht {

FrameTiming frameTiming;

namespace {
int64_t cpuNanoseconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}
}  // namespace

int64_t threadCpuNanoseconds() { return cpuNanoseconds(CLOCK_THREAD_CPUTIME_ID); }
int64_t processCpuNanoseconds() { return cpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID); }

int64_t nanosecondsSince(TimingClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(TimingClock::now() - start).count();
}

void DurationHistogram::add(int64_t nanoseconds) {
    nanoseconds = std::max<int64_t>(nanoseconds, 0);
    if (bins_.empty()) bins_.assign(binCount, 0);
    size_t bin = std::min<size_t>(static_cast<size_t>(nanoseconds / binNanoseconds), binCount - 1);
    ++bins_[bin];
    ++count_;
    totalNanoseconds_ += nanoseconds;
}

double DurationHistogram::meanMilliseconds() const {
    if (count_ == 0) return 0;
    return static_cast<double>(totalNanoseconds_ / count_) / 1e6;
}

double DurationHistogram::percentileMilliseconds(double fraction) const {
    if (count_ == 0) return 0;
    auto wanted = static_cast<uint64_t>(fraction * static_cast<double>(count_));
    wanted = std::clamp<uint64_t>(wanted, 1, count_);
    uint64_t seen = 0;
    for (size_t i = 0; i < binCount; ++i) {
        seen += bins_[i];
        if (seen >= wanted) return static_cast<double>((i + 1) * binNanoseconds) / 1e6;
    }
    return static_cast<double>(binCount * binNanoseconds) / 1e6;
}

uint64_t DurationHistogram::countBetween(double lowMilliseconds, double highMilliseconds) const {
    if (count_ == 0) return 0;
    uint64_t n = 0;
    for (size_t i = 0; i < binCount; ++i) {
        // A bin counts when its samples' durations lie within the range.
        const double low = static_cast<double>(i * binNanoseconds) / 1e6;
        const double high = static_cast<double>((i + 1) * binNanoseconds) / 1e6;
        if (low >= lowMilliseconds && high <= highMilliseconds) n += bins_[i];
    }
    return n;
}

void beginTimedFrame() {
    if (!frameTiming.enabled) return;
    const TimingClock::time_point now = TimingClock::now();
    if (frameTiming.frame.count() == 0) {
        frameTiming.runStart = now;
        frameTiming.runStartProcessCpu = processCpuNanoseconds();
    } else {
        frameTiming.period.add(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now - frameTiming.lastFrameStart)
                .count());
    }
    frameTiming.lastFrameStart = now;
    frameTiming.frameStart = threadCpuNanoseconds();
    frameTiming.drawNanosecondsThisFrame = 0;
}

void endTimedFrame() {
    if (!frameTiming.enabled) return;
    int64_t whole = threadCpuNanoseconds() - frameTiming.frameStart;
    int64_t drawing = std::min(frameTiming.drawNanosecondsThisFrame, whole);
    frameTiming.frame.add(whole);
    frameTiming.draw.add(drawing);
    frameTiming.update.add(whole - drawing);
}

void notePresented(GameState gameState) {
    if (!frameTiming.enabled || frameTiming.startUpMilliseconds >= 0 || gameState != StateTitle)
        return;
    frameTiming.startUpMilliseconds =
        static_cast<double>(nanosecondsSince(frameTiming.programStart)) / 1e6;
}

}  // namespace tiefschacht
