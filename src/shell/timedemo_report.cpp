#include "shell/timedemo_report.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "services/frame_timing.hpp"

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
