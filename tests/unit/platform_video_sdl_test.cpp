#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backends.hpp"

// The SDL window backend on SDL's display-less driver: a window of the
// asked size, frames presented through the streaming texture and kept.
TEST(PlatformVideoSdl, PresentsIntoAWindowWithoutADisplay) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    auto video = createSdlVideoOutput();
    std::string error;
    if (!video->openWindow("My Game Shell", 64, 48, false, error))
        GTEST_SKIP() << "no SDL video driver: " << error;
    EXPECT_TRUE(video->windowOpen());
    std::vector<uint32_t> frame(64 * 48, 0xFF204080u);
    video->present(frame.data(), 64, 48, true);
    video->present(frame.data(), 64, 48, false);
    EXPECT_EQ(video->lastFrame(), frame);
    EXPECT_EQ(video->lastFrameWidth(), 64);
    auto events = createSdlWindowEvents();
    for (int i = 0; i < 10; ++i) events->takeEvent();  // whatever start-up queued
    video->closeWindow();
    EXPECT_FALSE(video->windowOpen());
    // After the window is gone the frame is still kept (for a screenshot),
    // and presenting does nothing harmful.
    video->present(frame.data(), 64, 48, true);
    EXPECT_EQ(video->lastFrame(), frame);
    EXPECT_EQ(events->takeEvent(), PlatformEvent::None);

    // Full-screen on the desktop's mode: still opens at the asked size.
    EXPECT_TRUE(video->openWindow("My Game Shell", 64, 48, true, error)) << error;
    video->present(frame.data(), 64, 48, true);
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
