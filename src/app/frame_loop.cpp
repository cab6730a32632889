#include "app/app_state.hpp"
#include "app/frame_cap.hpp"
#include "app/frame_timing.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/settings.hpp"
#include "platform/platform_layer.hpp"
#include "world/game.hpp"

void renderFrame() {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    {
        DrawTimeScope drawing;
        device->clear(0xFF000000u, 1.0f);
        device->beginScene();
    }
    int32_t shown = app.gameState;
    if (theGame) dispatchState(*theGame);
    {
        DrawTimeScope drawing;
        device->endScene();
        device->present();
    }
    notePresented(shown);
}

void runFrame() {
    Clock* clock = platformLayer.clock.get();
    app.frameStartTick = clock ? clock->ticks() : 0;
    beginTimedFrame();
    if (app.paused == 0) renderFrame();
    // Input is read after drawing: the handlers of a frame see the input
    // polled at the end of the frame before.
    pollMouse();
    pollKeyboard();
    if (app.recording) app.recorder.capture(input.keyState, input.mouseState);
    endTimedFrame();
    if (clock && frameCapOn(settings)) waitForFrameEnd(*clock, app.frameStartTick, settings.minFrameTime);
    if (platformLayer.shell) platformLayer.shell->endFrame();
    ++app.frames;
}
