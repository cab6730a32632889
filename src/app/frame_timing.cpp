#include "app/frame_timing.hpp"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "app/app_state.hpp"

FrameTiming frameTiming;

int64_t threadCpuNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

namespace {
int64_t nanosecondsSince(TimingClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(TimingClock::now() - start).count();
}
}  // namespace

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

void beginTimedFrame() {
    if (!frameTiming.enabled) return;
    if (frameTiming.frame.count() == 0) frameTiming.runStart = TimingClock::now();
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

void notePresented(int32_t gameState) {
    if (!frameTiming.enabled || frameTiming.startUpMilliseconds >= 0 || gameState != StateTitle)
        return;
    frameTiming.startUpMilliseconds =
        static_cast<double>(nanosecondsSince(frameTiming.programStart)) / 1e6;
}

namespace {
// The best of several plain copies of one back buffer into another.
double copyFloorMilliseconds(int width, int height) {
    size_t bytes = static_cast<size_t>(std::max(width, 1)) * static_cast<size_t>(std::max(height, 1)) * 4;
    std::vector<unsigned char> from(bytes, 0x5a), to(bytes, 0);
    int64_t best = INT64_MAX;
    for (int i = 0; i < 50; ++i) {
        int64_t start = threadCpuNanoseconds();
        std::memcpy(to.data(), from.data(), bytes);
        int64_t took = threadCpuNanoseconds() - start;
        // Keep the copy from being optimised away.
        from[static_cast<size_t>(i) % bytes] ^= to[bytes - 1 - static_cast<size_t>(i) % bytes];
        best = std::min(best, took);
    }
    return static_cast<double>(best) / 1e6;
}

void printLine(std::FILE* out, const char* what, const DurationHistogram& h) {
    std::fprintf(out, "timedemo: %-6s mean %7.3f ms   p99 %7.3f ms\n", what, h.meanMilliseconds(),
                 h.percentileMilliseconds(0.99));
}
}  // namespace

void printTimedemoReport(std::FILE* out, int width, int height) {
    const FrameTiming& t = frameTiming;
    double seconds = static_cast<double>(t.frame.count()) * t.frame.meanMilliseconds() / 1e3;
    double fps = seconds > 0 ? static_cast<double>(t.frame.count()) / seconds : 0;
    double wall = t.frame.count() ? static_cast<double>(nanosecondsSince(t.runStart)) / 1e9 : 0;
    std::fprintf(out,
                 "timedemo: %llu frames at %d x %d, %.1f frames per second "
                 "(processor time of the game's thread; %.2f s on the wall clock)\n",
                 static_cast<unsigned long long>(t.frame.count()), width, height, fps, wall);
    printLine(out, "update", t.update);
    printLine(out, "draw", t.draw);
    printLine(out, "frame", t.frame);
    double floor = copyFloorMilliseconds(width, height);
    std::fprintf(out, "timedemo: copy floor %.3f ms (one back buffer), frame mean = %.1f x the floor\n",
                 floor, floor > 0 ? t.frame.meanMilliseconds() / floor : 0.0);
    if (t.startUpMilliseconds >= 0)
        std::fprintf(out, "timedemo: start-up to the first title frame %.1f ms\n",
                     t.startUpMilliseconds);
    else
        std::fprintf(out, "timedemo: the title was never presented\n");
    std::fflush(out);
}
