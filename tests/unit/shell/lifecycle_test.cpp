// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/fonts.hpp"
#include "platform/backends.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/key_rules.hpp"
#include "services/settings.hpp"
#include "shell/input_recorder.hpp"
#include "shell/lifecycle.hpp"
#include "shell/main_loop.hpp"
#include "support/queued_events.hpp"
#include "support/stand_in_device.hpp"
#include "world/game.hpp"

using namespace tiefschacht;

namespace {
std::vector<std::string> steps;
int inputResult = 0;
std::vector<float> params3D;

const StartUpSteps recordingStartUp{
    [] {
        steps.push_back("initInput");
        return inputResult;
    },
    [] { steps.push_back("initSound"); },
    [](float a, float b, float c, float d) {
        steps.push_back("set3DParameters");
        params3D = {a, b, c, d};
    },
    [] { steps.push_back("startTitleMusic"); },
    [] { steps.push_back("readRenderingOptions"); },
    [] { steps.push_back("readGameSettings"); },
    [] { steps.push_back("initGraphics"); },
    [] { steps.push_back("setUpCamera"); },
    [] { steps.push_back("createGame"); },
};

const ShutDownSteps recordingShutDown{
    [] { steps.push_back("destroyGame"); },
    [] { steps.push_back("releaseInput"); },
    [] { steps.push_back("releaseGraphics"); },
    [] { steps.push_back("releaseSound"); },
};

using testsupport::QueuedEvents;

void openHeadlessWindow() {
    platformLayer.video = createHeadlessVideoOutput();
    std::string error;
    ASSERT_TRUE(platformLayer.video->openWindow("t", 800, 600, false, error));
}
}  // namespace

TEST(ShellLifecycle, StartUpRunsEveryStepInOrderAndEndsOnTheTitle) {
    startUpWith(recordingStartUp);
    EXPECT_EQ(steps, (std::vector<std::string>{"initInput", "initSound", "set3DParameters",
                                               "startTitleMusic", "readRenderingOptions",
                                               "readGameSettings", "initGraphics", "setUpCamera",
                                               "createGame"}));
    EXPECT_EQ(params3D, (std::vector<float>{1.0f, 1.0f, 30.0f, 10000.0f}));
    EXPECT_EQ(app.gameState, StateTitle);
    EXPECT_FALSE(app.closeRequested);
}

TEST(ShellLifecycle, AFailedInputSetUpClosesTheWindowAndCreatesNothing) {
    openHeadlessWindow();
    inputResult = 1;
    startUpWith(recordingStartUp);
    EXPECT_EQ(steps, (std::vector<std::string>{"initInput"}));
    EXPECT_EQ(app.gameState, StateInitFailed);
    EXPECT_TRUE(app.closeRequested);
    EXPECT_TRUE(app.quitPosted);
    EXPECT_FALSE(platformLayer.video->windowOpen());

    // The loop ends on the quit message before any frame runs.
    runMessageLoop(std::nullopt);
    EXPECT_EQ(app.frames, 0u);
}

TEST(ShellLifecycle, ShutDownReleasesInOrderAndASecondOneFindsNothing) {
    shutDownWith(recordingShutDown);
    EXPECT_EQ(steps, (std::vector<std::string>{"destroyGame", "releaseInput", "releaseGraphics",
                                               "releaseSound"}));

    // The game's own shut-down on what start-up made, twice.
    createFonts();
    auto system = std::make_unique<testsupport::StandInGraphicsSystem>();
    graphics.system = std::move(system);
    graphics.device = std::make_unique<testsupport::StandInDevice>();
    theGame = std::make_unique<Game>(BareTag{});
    shutDown();
    EXPECT_FALSE(theGame);
    EXPECT_FALSE(fonts.largeFont);
    EXPECT_FALSE(fonts.smallFont);
    EXPECT_FALSE(graphics.device);
    EXPECT_FALSE(graphics.system);
    shutDown();
    EXPECT_FALSE(theGame);
}

TEST(ShellLifecycle, OneMessagePerPassAndAFrameAfterEach) {
    auto events = std::make_unique<QueuedEvents>();
    events->queue.assign(5, PlatformEvent::Other);
    QueuedEvents* q = events.get();
    platformLayer.events = std::move(events);
    runMessageLoop(3);
    EXPECT_EQ(app.frames, 3u);
    EXPECT_EQ(q->queue.size(), 2u);  // one message taken per frame
    runMessageLoop(4);
    EXPECT_EQ(app.frames, 7u);
    EXPECT_TRUE(q->queue.empty());
}

TEST(ShellLifecycle, TheCloseButtonEndsTheLoopAfterTheFrameThatSawIt) {
    openHeadlessWindow();
    auto events = std::make_unique<QueuedEvents>();
    events->queue = {PlatformEvent::Other, PlatformEvent::CloseWindow, PlatformEvent::Other};
    platformLayer.events = std::move(events);
    runMessageLoop(std::nullopt);
    EXPECT_EQ(app.frames, 2u);
    EXPECT_TRUE(app.closeRequested);
    EXPECT_FALSE(platformLayer.video->windowOpen());
}

TEST(ShellLifecycle, TheFrameThatRequestsClosingStillFinishes) {
    openHeadlessWindow();
    auto device = std::make_unique<testsupport::StandInDevice>();
    const std::vector<std::string>& calls = device->calls;
    // A screen sends the close request in the middle of frame 2.
    device->onEndScene = [] {
        if (app.frames == 1) {
            requestClose();
            requestClose();  // a second request changes nothing
        }
    };
    graphics.device = std::move(device);
    theGame = std::make_unique<Game>(BareTag{});
    runMessageLoop(std::nullopt);
    EXPECT_EQ(app.frames, 2u);
    EXPECT_EQ(calls.back(), "present");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "present"), 2);
    theGame.reset();
    graphics.device.reset();
}

// Keys let go in another window are not held down in the game: while the
// window has no focus every key and button reads as released, and leaving it
// during play pauses the game with a press of Pause, which a recording keeps;
// when the focus comes back only the keys held then count, and the game stays
// paused until the player resumes it.
TEST(ShellLifecycle, LeavingTheWindowLetsGoOfTheKeysAndPausesPlay) {
    auto script = std::make_shared<InputScript>();
    std::string error;
    ASSERT_TRUE(script->parse("5 Right 0 0 L\n", error)) << error;
    platformLayer.inputDevices = createScriptInputDevices(script);
    ASSERT_EQ(initInput(), 0);
    auto events = std::make_unique<QueuedEvents>();
    events->queue = {PlatformEvent::None, PlatformEvent::FocusLost, PlatformEvent::None,
                     PlatformEvent::FocusGained};
    platformLayer.events = std::move(events);
    recording.on = true;
    app.gameState = StatePlaying;

    runMessageLoop(1);
    EXPECT_TRUE(input.keyRight && input.mouseDown);
    for (int frame = 2; frame <= 3; ++frame) {
        runMessageLoop(1);
        EXPECT_FALSE(input.keyRight || input.mouseDown) << frame;
        EXPECT_TRUE(app.paused) << frame;
    }
    runMessageLoop(1);
    EXPECT_TRUE(input.keyRight && input.mouseDown);
    EXPECT_TRUE(app.paused);
    EXPECT_NE(recording.recorder.text().find("\n1 Pause 0 0 -\n1 - 0 0 -\n1 Right 0 0 L\n"),
              std::string::npos)
        << recording.recorder.text();

    // Away from the window outside play nothing is paused.
    app = AppState{};
    app.gameState = StateMainMenu;
    leaveWindow();
    runMessageLoop(1);
    EXPECT_FALSE(app.paused);
    EXPECT_FALSE(input.keyRight);
}
