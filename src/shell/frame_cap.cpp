// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frame_cap.hpp"

#include <cmath>

#include "platform/seams.hpp"
#include "services/settings.hpp"

namespace tiefschacht {

bool frameCapOn(const Settings& s) {
    return s.frameCapMode == 1 && std::isfinite(s.frameCap) && s.frameCap > 0.0f &&
           std::isfinite(s.minFrameTime) && s.minFrameTime >= 0.0f;
}

uint32_t waitForFrameEnd(Clock& clock, uint32_t startTick, float minFrameTime,
                         WindowEvents* events) {
    // The longest single sleep: between slices the window is looked at, and
    // without a window a wait longer than the tick counter's range still
    // counts right.
    const double slice = events != nullptr ? 40.0 : 1000.0;
    for (;;) {
        const uint32_t now = clock.ticks();
        const auto elapsed = static_cast<int32_t>(now - startTick);
        if (static_cast<float>(elapsed) > minFrameTime) return now;
        // The frame ends on tick floor(minFrameTime) + 1 after its start.
        const double left = std::floor(static_cast<double>(minFrameTime)) + 1.0 - elapsed;
        if (left > slice && events != nullptr && events->closePending()) return now;
        clock.sleepUntil(now + static_cast<uint32_t>(std::fmin(left, slice)));
    }
}

}  // namespace tiefschacht
