#include "app/message_loop.hpp"

#include "app/app_state.hpp"
#include "platform/platform_layer.hpp"

void runMessageLoop(std::optional<uint64_t> frameLimit) {
    uint64_t framesRun = 0;
    for (;;) {
        if (frameLimit && framesRun >= *frameLimit) return;
        // The quit message, posted when the window was destroyed, ends the loop.
        if (app.quitPosted) return;
        PlatformEvent event =
            platformLayer.events ? platformLayer.events->takeEvent() : PlatformEvent::None;
        // The window's close button and the desktop's quit request get the
        // default handling of the close request: the window is destroyed and
        // the quit message posted.
        if (event == PlatformEvent::CloseWindow) requestClose();
        runFrame();
        ++framesRun;
    }
}
