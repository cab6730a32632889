#include "app/device_read.hpp"
#include "app/input_state.hpp"
#include "app/settings.hpp"
#include "platform/platform_layer.hpp"
#include "world/projection.hpp"

namespace {

// Inside the screen, edges included. Written as a positive test so that a
// coordinate that is not a number counts as outside.
bool onScreen(const ScreenPoint& p) {
    const float width = static_cast<float>(settings.screenWidth);
    const float height = static_cast<float>(settings.screenHeight);
    return p.x >= 0.0f && p.x <= width && p.y >= 0.0f && p.y <= height;
}

}  // namespace

void pollMouse() {
    input.mouseState = MouseSnapshot{};
    InputDevices* devices = platformLayer.inputDevices.get();
    if (input.devicesCreated && devices != nullptr) {
        readMouseWithReacquire(*devices, input.mouseState);
    }

    // The cursor lives on the menu plane; the device counts y downwards, the
    // world counts it upwards. A move that would take the cursor off the
    // screen is taken back on both axes.
    const Vec3 remembered = input.cursorWorldPos;
    input.cursorWorldPos.x += static_cast<float>(input.mouseState.dx) * cursorStep;
    input.cursorWorldPos.y -= static_cast<float>(input.mouseState.dy) * cursorStep;

    const ScreenPoint moved = projectToScreen(input.cursorWorldPos);
    if (!onScreen(moved)) input.cursorWorldPos = remembered;

    // The screen position is that of the moved point, even when the move was
    // taken back, so for one frame it may lie past the edge.
    input.cursorScreenX = moved.x;
    input.cursorScreenY = moved.y;

    input.mouseDown = (input.mouseState.buttons[0] & 0x80) != 0 ? 1 : 0;
}
