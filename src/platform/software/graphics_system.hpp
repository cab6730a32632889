// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making the software graphics system and its devices, with the options
// that set the device up: everything the device does differently for a
// test or a benchmark is chosen here, when it is made.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/software/span_tables.hpp"

namespace tiefschacht {

class VideoOutput;

struct SoftwareDeviceOptions {
    // The largest texture width and height the caps report and creation accepts.
    uint32_t maxTextureSide = 4096;
    // Draw every primitive with the general triangle rasteriser, never the
    // rectangle fast path.
    bool generalPathOnly = false;
    // The span loops of the fast path; by default the widest this processor runs.
    std::optional<swr::SpanLoops> spanLoops;
};

struct SoftwareSystemOptions {
    SoftwareDeviceOptions device;
    // Kinds of vertex processing whose device creation is refused (flags as
    // given to createDevice; hardware with a pure device counts as its own kind).
    std::vector<uint32_t> refusedBehaviours;
    // Back-buffer formats whose format check is refused.
    std::vector<PixelFormat> refusedFormats;
};

// Creates the software graphics system for a video output: the desktop and
// a windowed back buffer have the size of the window opened on it.
std::unique_ptr<GraphicsSystem> createSoftwareGraphicsSystem(
    VideoOutput* video, const SoftwareSystemOptions& options = {});
// Creates the software graphics system. Devices present into `video`
// (which may be null for tests); the back buffer has the size given by the
// present parameters, or windowWidth x windowHeight when those are 0.
std::unique_ptr<GraphicsSystem> createSoftwareGraphicsSystem(
    VideoOutput* video, int windowWidth, int windowHeight,
    const SoftwareSystemOptions& options = {});

}  // namespace tiefschacht
