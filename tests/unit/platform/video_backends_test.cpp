// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "platform/sdl/once_per_press_shell.hpp"

using namespace tiefschacht;

TEST(PlatformVideoHeadless, KeepsTheLastPresentedFrame) {
    auto video = createHeadlessVideoOutput();
    std::string error;
    EXPECT_FALSE(video->openWindow("t", 0, 600, false, error));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(video->openWindow("t", 4, 2, true, error));
    EXPECT_TRUE(video->windowOpen());
    EXPECT_TRUE(video->lastFrame().empty());

    auto frame = [](int w, int h, uint32_t fill) {
        return std::make_shared<const Frame>(
            Frame{w, h, std::vector<uint32_t>(static_cast<size_t>(w * h), fill)});
    };
    auto a = frame(4, 2, 0xFF112233u);
    video->present(a, true);
    EXPECT_EQ(video->lastFrame(), a->pixels);
    EXPECT_EQ(video->lastFrame().data(), a->pixels.data());  // kept, not copied
    EXPECT_EQ(video->lastFrameWidth(), 4);
    EXPECT_EQ(video->lastFrameHeight(), 2);
    // The frame outlives its drawer.
    const std::vector<uint32_t> pixels = a->pixels;
    a.reset();
    EXPECT_EQ(video->lastFrame(), pixels);
    auto c = frame(1, 2, 1u);
    video->present(c, true);
    EXPECT_EQ(video->lastFrame(), c->pixels);
    EXPECT_EQ(video->lastFrameWidth(), 1);
    video->present(nullptr, true);  // nothing to show: ignored
    video->present(frame(0, 0, 0), true);
    EXPECT_EQ(video->lastFrame(), c->pixels);

    video->closeWindow();
    EXPECT_FALSE(video->windowOpen());
    EXPECT_TRUE(video->hasFocus());
    testing::internal::CaptureStderr();
    video->showErrorBox("Fehler", "Keine Tastatur");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fehler: Keine Tastatur\n");
    EXPECT_EQ(createHeadlessWindowEvents()->takeEvent(), PlatformEvent::None);
    EXPECT_FALSE(createHeadlessWindowEvents()->closePending());
}

TEST(PlatformVideoClock, TheVirtualClockMovesOnlyWhenLookedAtOrSleptOn) {
    auto clock = createVirtualClock();
    uint32_t a = clock->ticks();
    uint32_t b = clock->ticks();
    EXPECT_EQ(b - a, 1u);
    clock->sleepUntil(b + 100);
    EXPECT_EQ(clock->ticks(), b + 100);
    clock->sleepUntil(b);  // a tick that has begun: no wait
    EXPECT_EQ(clock->ticks(), b + 101);

    auto real = createSystemClock();
    uint32_t start = real->ticks();
    real->sleepUntil(start + 5);
    EXPECT_GE(real->ticks() - start, 5u);
}

TEST(PlatformVideoShell, AHeldButtonOpensItsTargetOnce) {
    std::vector<std::string> opened;
    OncePerPressShell shell([&](const std::string& t, std::string&) {
        opened.push_back(t);
        return true;
    });
    std::string error;
    // Held for three frames: opened in the first only.
    for (int frame = 0; frame < 3; ++frame) {
        shell.open("file:///m.htm", error);
        shell.open("file:///m.htm", error);  // twice in one frame still counts once
        shell.endFrame();
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"file:///m.htm"}));
    // Released for a frame, then pressed again: opened again.
    shell.endFrame();
    shell.open("file:///m.htm", error);
    // Another target in the same frame is its own press.
    shell.open("https://www.example.org", error);
    shell.endFrame();
    EXPECT_EQ(opened, (std::vector<std::string>{"file:///m.htm", "file:///m.htm",
                                                "https://www.example.org"}));
    EXPECT_EQ(shell.requests(), opened);

    auto recording = createRecordingShell();
    recording->open("a", error);
    recording->endFrame();
    recording->open("a", error);
    EXPECT_EQ(recording->requests(), (std::vector<std::string>{"a", "a"}));
}

TEST(PlatformVideoShell, WithoutAnOpenerTheDesktopShellSaysSoOncePerPress) {
    const char* saved = std::getenv("PATH");
    const std::string path = saved ? saved : "";
    setenv("PATH", "/nonexistent-folder", 1);
    auto shell = createDesktopShell();
    std::string error;
    EXPECT_FALSE(shell->open("http://www.example.org", error));
    EXPECT_NE(error.find("xdg-open"), std::string::npos) << error;
    EXPECT_TRUE(shell->open("http://www.example.org", error));  // the same press
    if (saved)
        setenv("PATH", path.c_str(), 1);
    else
        unsetenv("PATH");
}

TEST(PlatformVideoLayer, AHeadlessLayerNeedsNoDisplayAndRecordsItsRequests) {
    PlatformOptions options;
    options.headless = true;
    PlatformLayer layer = createPlatformLayer(options);
    EXPECT_TRUE(layer.headless);
    ASSERT_TRUE(layer.video);
    ASSERT_TRUE(layer.events);
    ASSERT_TRUE(layer.clock);
    ASSERT_TRUE(layer.images);
    ASSERT_TRUE(layer.shell);
    std::string error;
    EXPECT_TRUE(layer.video->openWindow("My Game Shell", 800, 600, true, error));
    // The virtual clock: a capped frame never waits for real time.
    uint32_t t = layer.clock->ticks();
    layer.clock->sleepUntil(t + 17);
    EXPECT_EQ(layer.clock->ticks() - t, 17u);
    layer.shell->open("x", error);
    EXPECT_EQ(layer.shell->requests().size(), 1u);

    options.realtimeClock = true;
    PlatformLayer realtime = createPlatformLayer(options);
    uint32_t r = realtime.clock->ticks();
    EXPECT_EQ(realtime.clock->ticks() - r, 0u);  // reading does not move the real clock
}
