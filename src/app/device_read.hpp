#pragma once
// Reading a device snapshot, re-acquiring the device when the read fails.
#include "platform/seams.hpp"

// Reads the keyboard; when that fails the device is acquired again and the
// snapshot keeps whatever it held. True when the read succeeded.
bool readKeyboardWithReacquire(InputDevices& devices, KeyboardSnapshot& snapshot);

// The same for the mouse; the caller clears the snapshot first, so a failed
// read leaves the mouse unmoved with no button down.
bool readMouseWithReacquire(InputDevices& devices, MouseSnapshot& snapshot);
