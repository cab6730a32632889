// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/vertex_processing.hpp"

namespace tiefschacht {

namespace {
constexpr DeviceAttempt pureWanted{behaviourPureHardware,
                                   "hardware VertexProcessing with PureDevice gewollt"};
constexpr DeviceAttempt hardwareWanted{CreateHardwareVertexProcessing,
                                       "hardware VertexProcessing gewollt"};
constexpr DeviceAttempt hardwareFallback{CreateHardwareVertexProcessing,
                                         "hardware VertexProcessing ungewollt"};
constexpr DeviceAttempt mixedWanted{CreateMixedVertexProcessing, "mixed VertexProcessing gewollt"};
constexpr DeviceAttempt mixedFallback{CreateMixedVertexProcessing,
                                      "mixed VertexProcessing ungewollt"};
constexpr DeviceAttempt softwareWanted{CreateSoftwareVertexProcessing,
                                       "software VertexProcessing gewollt"};
constexpr DeviceAttempt softwareFallback{CreateSoftwareVertexProcessing,
                                         "software VertexProcessing ungewollt"};

constexpr std::array<DeviceAttemptRow, 4> attemptRows{{
    {4, {pureWanted, hardwareFallback, mixedFallback, softwareFallback}},
    {3, {hardwareWanted, mixedFallback, softwareFallback, {}}},
    {2, {mixedWanted, softwareFallback, {}, {}}},
    {1, {softwareWanted, {}, {}, {}}},
}};
}  // namespace

DeviceAttemptRow deviceAttemptsForMode(int32_t mode) {
    if (mode < 0 || mode > 3) return {};
    return attemptRows[static_cast<size_t>(mode)];
}

DeviceCreation createDeviceForMode(GraphicsSystem& system, int32_t mode,
                                   const PresentParameters& params) {
    DeviceCreation result;
    DeviceAttemptRow row = deviceAttemptsForMode(mode);
    for (int i = 0; i < row.count; ++i) {
        const DeviceAttempt& a = row.attempts[static_cast<size_t>(i)];
        ++result.attemptsMade;
        Status s = system.createDevice(a.behaviourFlags, params, result.device);
        bool last = i == row.count - 1;
        if (!succeeded(s)) result.device.reset();
        if (result.device || last) {
            result.logLine = a.logLine;
            break;
        }
    }
    return result;
}

}  // namespace tiefschacht
