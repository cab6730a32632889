#include "shell/frame_cap.hpp"

#include <cmath>

#include "platform/seams.hpp"
#include "services/settings.hpp"

bool frameCapOn(const Settings& s) {
    return s.frameCapMode == 1 && std::isfinite(s.frameCap) && s.frameCap > 0.0f &&
           std::isfinite(s.minFrameTime) && s.minFrameTime >= 0.0f;
}

uint32_t waitForFrameEnd(Clock& clock, uint32_t startTick, float minFrameTime) {
    // Longest single sleep, so that a slow cap still looks at the clock now and then.
    constexpr double longestSleep = 1000.0;
    for (;;) {
        uint32_t now = clock.ticks();
        auto elapsed = static_cast<int32_t>(now - startTick);
        if (static_cast<float>(elapsed) > minFrameTime) return now;
        // The frame ends on tick floor(minFrameTime) + 1 after its start; that
        // many ticks minus the elapsed ones are left. Sleeping all but the
        // last of them cannot overshoot the ending tick.
        double left = std::floor(static_cast<double>(minFrameTime)) + 1.0 - elapsed;
        if (left >= 2.0) clock.sleep(static_cast<uint32_t>(std::fmin(left - 1.0, longestSleep)));
    }
}
