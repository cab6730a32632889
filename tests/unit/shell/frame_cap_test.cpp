// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/settings.hpp"
#include "shell/frame_cap.hpp"
#include "shell/main_loop.hpp"
#include "support/fake_clock.hpp"
#include "support/queued_events.hpp"

using namespace tiefschacht;

using testsupport::FakeClock;
using testsupport::QueuedEvents;

TEST(ShellFrameCap, EndsOnTheFirstTickStrictlyPastTheFrameTime) {
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

TEST(ShellFrameCap, CountsElapsedTicksAcrossTheWrapOfTheCounter) {
    uint32_t start = 0xFFFFFFF8u;
    FakeClock clock(start);
    EXPECT_EQ(waitForFrameEnd(clock, start, 1000.0f / 60.0f), start + 17u);
}

TEST(ShellFrameCap, SleepsToTheEndingTickInOnePiece) {
    // A clock that only moves when slept on or read, one tick per read.
    FakeClock clock(0, 1);
    EXPECT_EQ(waitForFrameEnd(clock, 0, 1000.0f / 60.0f), 17u);
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{17});
    EXPECT_EQ(clock.reads, 2);

    // A slow cap without a window is slept in one piece too, ending on the right tick.
    FakeClock slow(0, 1);
    EXPECT_EQ(waitForFrameEnd(slow, 0, 250.0f), 251u);
    EXPECT_EQ(slow.sleeps, std::vector<uint32_t>{251});
}

// A cap of 0.01 frames a second: a frame lasts 100 s. The wait looks at the
// window between short sleeps and still ends on the first qualifying tick;
// a close request seen on a look ends it at once.
TEST(ShellFrameCap, ALongWaitAnswersACloseRequestAtOnce) {
    QueuedEvents events;
    FakeClock clock(0, 1);
    EXPECT_EQ(waitForFrameEnd(clock, 0, 100000.0f, &events), 100001u);
    uint32_t last = 0;
    for (uint32_t tick : clock.sleeps) {
        EXPECT_LE(tick - last, 41u);
        last = tick;
    }

    events.closeAtLook = events.looks + 3;
    FakeClock closing(0, 1);
    const uint32_t end = waitForFrameEnd(closing, 0, 100000.0f, &events);
    EXPECT_LT(end, 200u);
    EXPECT_EQ(events.takeEvent(), PlatformEvent::CloseWindow);  // left for the message loop
}

// The window's close button pressed while a frame of a slow cap waits: the
// loop takes the request as soon as the wait ends and the program ends
// without waiting out another frame.
TEST(ShellFrameCap, TheProgramEndsPromptlyWhenClosedDuringALongWait) {
    auto clock = std::make_unique<FakeClock>(0, 1);
    FakeClock* c = clock.get();
    platformLayer.clock = std::move(clock);
    auto events = std::make_unique<QueuedEvents>();
    events->closeAtLook = 5;
    platformLayer.events = std::move(events);
    settings.frameCapMode = 1;
    settings.frameCap = 0.01f;
    settings.minFrameTime = 100000.0f;
    runMessageLoop(std::nullopt);
    EXPECT_TRUE(app.closeRequested);
    EXPECT_EQ(app.frames, 2u);  // the frame that waited, and the one that took the request
    EXPECT_LT(c->now, 1000u);
}

TEST(ShellFrameCap, RunFrameWaitsOnlyWhenTheCapIsOn) {
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
