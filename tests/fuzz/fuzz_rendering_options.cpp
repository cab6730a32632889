// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Data/RenderingAndMore.txt: the vertex processing mode and the frame cap.
// When the cap is on, one frame's wait is run on a clock that only counts,
// so a cap the file makes odd cannot make the wait wrong or endless.
#include <cmath>

#include "fuzz_support.hpp"
#include "platform/seams.hpp"
#include "services/settings.hpp"
#include "shell/frame_cap.hpp"

using namespace tiefschacht;

namespace {
// Advances one tick per look and to the asked tick per sleep; counts the looks.
class CountingClock final : public Clock {
public:
    uint32_t ticks() override {
        ++looks;
        return now++;
    }
    void sleepUntil(uint32_t tick) override {
        if (static_cast<int32_t>(tick - now) > 0) now = tick;
    }
    uint32_t now = 0xFFFFFF00u;  // near the wrap, so the wait must count across it
    uint64_t looks = 0;
};

// Longer waits are not run: each costs about one look per second of wait.
constexpr float longestWaitRun = 600000.0f;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(renderingOptionsFile, data, size);
    readRenderingOptions();
    if (!frameCapOn(settings)) return 0;
    FUZZ_CHECK(std::isfinite(settings.minFrameTime) && settings.minFrameTime >= 0.0f);
    if (settings.minFrameTime > longestWaitRun) return 0;

    CountingClock clock;
    const uint32_t start = clock.now;
    const uint32_t end = waitForFrameEnd(clock, start, settings.minFrameTime);
    // The frame ends on the first tick strictly past the minimum frame time.
    const double expected = std::floor(static_cast<double>(settings.minFrameTime)) + 1.0;
    FUZZ_CHECK(static_cast<double>(end - start) == expected);
    FUZZ_CHECK(clock.looks < 4 + static_cast<uint64_t>(expected / 1000.0) * 4 + 8);
    return 0;
}
