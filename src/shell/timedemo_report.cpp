// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/timedemo_report.hpp"

#include <cstdint>

#include "platform/platform_layer.hpp"
#include "services/frame_timing.hpp"
#include "services/settings.hpp"
#include "shell/frame_cap.hpp"

namespace tiefschacht {

namespace {
void printLine(std::FILE* out, const char* what, const DurationHistogram& h) {
    std::fprintf(out, "timedemo: %-6s mean %7.3f ms   p99 %7.3f ms\n", what, h.meanMilliseconds(),
                 h.percentileMilliseconds(0.99));
}
}  // namespace

void printTimedemoReport(std::FILE* out, int width, int height) {
    const FrameTiming& t = frameTiming;
    const double seconds = static_cast<double>(t.frame.count()) * t.frame.meanMilliseconds() / 1e3;
    const double fps = seconds > 0 ? static_cast<double>(t.frame.count()) / seconds : 0;
    const double wall =
        t.frame.count() ? static_cast<double>(nanosecondsSince(t.runStart)) / 1e9 : 0;
    const double processSeconds =
        t.frame.count() ? static_cast<double>(processCpuNanoseconds() - t.runStartProcessCpu) / 1e9
                        : 0;
    std::fprintf(out,
                 "timedemo: %llu frames at %d x %d, %.1f frames per second "
                 "(processor time of the game's thread; %.2f s on the wall clock)\n",
                 static_cast<unsigned long long>(t.frame.count()), width, height, fps, wall);
    printLine(out, "update", t.update);
    printLine(out, "draw", t.draw);
    printLine(out, "frame", t.frame);
    std::fprintf(
        out,
        "timedemo: on the wall clock %.1f frames per second, the process using %.1f %% of a core "
        "(all its threads)\n",
        wall > 0 ? static_cast<double>(t.frame.count()) / wall : 0.0,
        wall > 0 ? 100.0 * processSeconds / wall : 0.0);
    if (platformLayer.realClock && frameCapOn(settings) && t.period.count() > 0) {
        const double cap = settings.minFrameTime;
        std::fprintf(out,
                     "timedemo: frame periods on the wall clock: mean %.3f ms, p99 %.3f ms; %llu "
                     "of %llu within "
                     "1 ms of the cap (%.3f ms)\n",
                     t.period.meanMilliseconds(), t.period.percentileMilliseconds(0.99),
                     static_cast<unsigned long long>(t.period.countBetween(cap - 1.0, cap + 1.0)),
                     static_cast<unsigned long long>(t.period.count()), cap);
    }
    if (platformLayer.video)
        std::fprintf(out, "timedemo: presentation: %s\n",
                     platformLayer.video->presentation().c_str());
    if (t.startUpMilliseconds >= 0)
        std::fprintf(out, "timedemo: start-up to the first title frame %.1f ms\n",
                     t.startUpMilliseconds);
    else
        std::fprintf(out, "timedemo: the title was never presented\n");
    std::fflush(out);
}

}  // namespace tiefschacht
