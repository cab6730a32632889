#include "app/app_state.hpp"
#include "app/frame_cap.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/settings.hpp"
#include "platform/platform_layer.hpp"
#include "world/game.hpp"

void renderFrame() {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    device->clear(0xFF000000u, 1.0f);
    device->beginScene();
    if (theGame) dispatchState(*theGame);
    device->endScene();
    device->present();
}

void runFrame() {
    Clock* clock = platformLayer.clock.get();
    app.frameStartTick = clock ? clock->ticks() : 0;
    if (app.paused == 0) renderFrame();
    // Input is read after drawing: the handlers of a frame see the input
    // polled at the end of the frame before.
    pollMouse();
    pollKeyboard();
    if (app.recording) app.recorder.capture(input.keyState, input.mouseState);
    if (clock && frameCapOn(settings)) waitForFrameEnd(*clock, app.frameStartTick, settings.minFrameTime);
    if (platformLayer.shell) platformLayer.shell->endFrame();
    ++app.frames;
}
