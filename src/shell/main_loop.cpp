// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_loop.hpp"

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/key_rules.hpp"
#include "services/settings.hpp"
#include "shell/dispatcher.hpp"
#include "shell/frame_cap.hpp"
#include "shell/input_recorder.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {

// The picture of the states that ran, between clearing and presenting.
void drawFrame(const StatesRun& run, GameState shown) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    device->clear(0xFF000000u, 1.0f);
    device->beginScene();
    if (theGame) drawStates(*theGame, run);
    device->endScene();
    device->present();
    notePresented(shown);
}

}  // namespace

void runMessageLoop(std::optional<uint64_t> frameLimit, FrameDrawing drawing) {
    uint64_t framesRun = 0;
    for (;;) {
        if (frameLimit && framesRun >= *frameLimit) return;
        // The quit message, posted when the window was destroyed, ends the loop.
        if (app.quitPosted) return;
        PlatformEvent event =
            platformLayer.events ? platformLayer.events->takeEvent() : PlatformEvent::None;
        switch (event) {
        // The window's close button and the desktop's quit request get the
        // default handling of the close request: the window is destroyed and
        // the quit message posted.
        case PlatformEvent::CloseWindow: requestClose(); break;
        case PlatformEvent::FocusLost: leaveWindow(); break;
        case PlatformEvent::FocusGained: returnToWindow(); break;
        case PlatformEvent::None:
        case PlatformEvent::Other: break;
        }
        runFrame(drawing);
        ++framesRun;
    }
}

void runFrame(FrameDrawing drawing) {
    Clock* clock = platformLayer.clock.get();
    app.frameStartTick = clock ? clock->ticks() : 0;
    beginTimedFrame();
    const GameState shown = app.gameState;
    // A paused frame updates nothing and draws the current state as it is
    // (the play screen then says it is paused). The same picture again costs
    // next to nothing, and a window that lost its picture (uncovered,
    // restored, switched to full-screen) shows it again.
    StatesRun run;
    if (theGame) run = app.paused ? stateShown() : updateStates(*theGame);
    if (drawing == FrameDrawing::Drawn) {
        DrawTimeScope timed;
        drawFrame(run, shown);
    }
    // Input is read after drawing: the updates of a frame see the input
    // polled at the end of the frame before.
    pollMouse();
    pollKeyboard();
    applyKeyRules();
    if (recording.on) recording.recorder.capture(input.keyState, input.mouseState);
    endTimedFrame();
    // Once the quit message is posted nothing more is shown: the program
    // ends without waiting out the frame.
    if (clock && frameCapOn(settings) && !app.quitPosted)
        waitForFrameEnd(*clock, app.frameStartTick, settings.minFrameTime,
                        platformLayer.events.get());
    if (platformLayer.shell) platformLayer.shell->endFrame();
    ++app.frames;
}

}  // namespace tiefschacht
