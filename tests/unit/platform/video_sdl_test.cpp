// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backends.hpp"

using namespace tiefschacht;

// The SDL window backend on SDL's display-less driver: a window of the
// asked size, frames presented (there: into the window surface, or scaled
// by SDL's software renderer when full-screen) and kept.
TEST(PlatformVideoSdl, PresentsIntoAWindowWithoutADisplay) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    auto video = createSdlVideoOutput();
    std::string error;
    if (!video->openWindow("My Game Shell", 64, 48, false, error))
        GTEST_SKIP() << "no SDL video driver: " << error;
    EXPECT_TRUE(video->windowOpen());
    auto frame =
        std::make_shared<const Frame>(Frame{64, 48, std::vector<uint32_t>(64 * 48, 0xFF204080u)});
    video->present(frame, true);
    video->present(frame, false);
    EXPECT_EQ(video->lastFrame(), frame->pixels);
    EXPECT_EQ(video->lastFrameWidth(), 64);
    EXPECT_NE(video->presentation().find("window surface"), std::string::npos)
        << video->presentation();
    auto events = createSdlWindowEvents();
    EXPECT_FALSE(events->closePending());
    for (int i = 0; i < 10; ++i) events->takeEvent();  // whatever start-up queued
    video->closeWindow();
    EXPECT_FALSE(video->windowOpen());
    // After the window is gone the frame is still kept (for a screenshot),
    // and presenting does nothing harmful.
    video->present(frame, true);
    EXPECT_EQ(video->lastFrame(), frame->pixels);
    EXPECT_EQ(events->takeEvent(), PlatformEvent::None);
    EXPECT_FALSE(events->closePending());

    // Full-screen on the desktop's mode: still opens at the asked size.
    EXPECT_TRUE(video->openWindow("My Game Shell", 64, 48, true, error)) << error;
    video->present(frame, true);
    video->closeWindow();
}

// The desktop knows the window by the game's application id, unless the
// user named the window's class himself.
TEST(PlatformVideoSdl, TheWindowCarriesTheApplicationIdUnlessTheUserSetOne) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("SDL_VIDEO_X11_WMCLASS");
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "chosen.by.the.user", 1);
    auto video = createSdlVideoOutput();
    std::string error;
    if (!video->openWindow("My Game Shell", 64, 48, false, error))
        GTEST_SKIP() << "no SDL video driver: " << error;
    EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), "org.example.Tiefschacht");
    EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), "chosen.by.the.user");
    video->closeWindow();
}
