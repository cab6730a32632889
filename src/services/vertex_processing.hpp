// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device creation by vertex-processing mode: the kinds each mode tries, in
// order, and the start-up log line each outcome writes.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics_device.hpp"

namespace tiefschacht {

struct DeviceAttempt {
    uint32_t behaviourFlags;
    const char* logLine;  // written when this attempt gives the device
};

constexpr uint32_t behaviourPureHardware = CreateHardwareVertexProcessing | CreatePureDevice;

// The attempts of a mode (0 to 3), ending with the software kind. Modes
// outside 0 to 3 have none.
struct DeviceAttemptRow {
    int count = 0;
    std::array<DeviceAttempt, 4> attempts{};
};
DeviceAttemptRow deviceAttemptsForMode(int32_t mode);

struct DeviceCreation {
    std::unique_ptr<GraphicsDevice> device;  // null when no attempt gave one
    const char* logLine = nullptr;           // null when the mode makes no attempt
    int attemptsMade = 0;
};

// Tries the kinds of the mode in order; the first that succeeds ends the
// sequence. The software attempt at the end of a row writes its line
// whatever its result.
DeviceCreation createDeviceForMode(GraphicsSystem& system, int32_t mode,
                                   const PresentParameters& params);

}  // namespace tiefschacht
