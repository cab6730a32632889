#include "app/device_read.hpp"

namespace {

// A device that keeps answering "input lost" must not hang the frame: the
// acquire is retried a bounded number of times, then the poll goes on
// without the device.
constexpr int maxAcquireAttempts = 64;

template <typename Acquire>
void reacquire(Acquire acquire) {
    for (int attempt = 0; attempt < maxAcquireAttempts; ++attempt) {
        if (acquire() != AcquireResult::InputLost) return;
    }
}

}  // namespace

bool readKeyboardWithReacquire(InputDevices& devices, KeyboardSnapshot& snapshot) {
    if (devices.readKeyboard(snapshot)) return true;
    reacquire([&] { return devices.acquireKeyboard(); });
    return false;
}

bool readMouseWithReacquire(InputDevices& devices, MouseSnapshot& snapshot) {
    if (devices.readMouse(snapshot)) return true;
    reacquire([&] { return devices.acquireMouse(); });
    return false;
}
