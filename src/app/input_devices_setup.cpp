#include <cstdio>

#include "app/input_state.hpp"
#include "platform/platform_layer.hpp"

InputState input;

namespace {

// The missing-device messages appear in a box owned by the window, with an
// empty caption; without a video output they go to stderr.
void showMissingDevice(const char* text) {
    if (platformLayer.video) {
        platformLayer.video->showErrorBox("", text);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
}

}  // namespace

int initInput() {
    InputDevices* devices = platformLayer.inputDevices.get();
    if (devices == nullptr) return 1;  // no input system at all: no message

    if (!devices->createKeyboard()) {
        showMissingDevice("keine Tastatur gefunden");
        return 1;
    }
    devices->acquireKeyboard();

    if (!devices->createMouse()) {
        showMissingDevice("keine Maus gefunden");
        return 1;
    }
    devices->acquireMouse();

    input.devicesCreated = true;
    return 0;
}

void releaseInput() {
    if (InputDevices* devices = platformLayer.inputDevices.get()) {
        devices->unacquire();
        devices->release();
    }
    input.devicesCreated = false;
}
