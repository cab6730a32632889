#include <gtest/gtest.h>

#include <limits>

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/settings.hpp"
#include "shell/frame_cap.hpp"
#include "shell/main_loop.hpp"
#include "support/fake_clock.hpp"

using testsupport::FakeClock;

TEST(AppFrameCap, EndsOnTheFirstTickStrictlyPastTheFrameTime) {
    FakeClock clock(1000);
    EXPECT_EQ(waitForFrameEnd(clock, 1000, 1000.0f / 60.0f), 1017u);
    // Exactly the frame time is not enough.
    FakeClock exact(1000);
    EXPECT_EQ(waitForFrameEnd(exact, 1000, 17.0f), 1018u);
    // A frame that already took longer ends at once.
    FakeClock late(1040);
    EXPECT_EQ(waitForFrameEnd(late, 1000, 16.6f), 1040u);
    EXPECT_EQ(late.reads, 1);
}

TEST(AppFrameCap, CountsElapsedTicksAcrossTheWrapOfTheCounter) {
    uint32_t start = 0xFFFFFFF8u;
    FakeClock clock(start);
    EXPECT_EQ(waitForFrameEnd(clock, start, 1000.0f / 60.0f), start + 17u);
}

TEST(AppFrameCap, SleepsThroughAllButTheLastTickAndNeverOvershoots) {
    // A clock that only moves when slept on or read, one tick per read.
    FakeClock clock(0, 1);
    uint32_t end = waitForFrameEnd(clock, 0, 1000.0f / 60.0f);
    EXPECT_EQ(end, 17u);
    uint32_t slept = 0;
    for (uint32_t s : clock.sleeps) slept += s;
    EXPECT_GE(slept, 14u);  // most of the frame is spent asleep
    EXPECT_LE(clock.reads, 4);

    // A long frame time is slept in one piece too, ending on the right tick.
    FakeClock slow(0, 1);
    EXPECT_EQ(waitForFrameEnd(slow, 0, 250.0f), 251u);
    EXPECT_LE(slow.reads, 4);
}

TEST(AppFrameCap, RunFrameWaitsOnlyWhenTheCapIsOn) {
    auto clock = std::make_unique<FakeClock>(500);
    FakeClock* c = clock.get();
    platformLayer.clock = std::move(clock);
    settings.frameCapMode = 0;
    settings.frameCap = 60.0f;
    settings.minFrameTime = 1000.0f / 60.0f;
    runFrame();
    EXPECT_EQ(c->reads, 1);  // the frame's start only
    EXPECT_EQ(app.frameStartTick, 500u);

    settings.frameCapMode = 2;
    runFrame();
    EXPECT_EQ(c->reads, 2);

    settings.frameCapMode = 1;
    uint32_t start = c->now;
    runFrame();
    EXPECT_EQ(app.frameStartTick, start);
    EXPECT_GT(c->now - start, 17u);
    EXPECT_EQ(app.frames, 3u);

    // A cap whose frame time is endless is no cap.
    settings.frameCap = 0.0f;
    settings.minFrameTime = std::numeric_limits<float>::infinity();
    int reads = c->reads;
    runFrame();
    EXPECT_EQ(c->reads, reads + 1);
}
