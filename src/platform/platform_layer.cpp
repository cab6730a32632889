// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform_layer.hpp"

#include "platform/backends.hpp"
#include "platform/software/graphics_system.hpp"

namespace tiefschacht {

PlatformLayer platformLayer;

PlatformLayer createPlatformLayer(const PlatformOptions& options) {
    PlatformLayer layer;
    layer.headless = options.headless;
    layer.realClock = !options.headless || options.realtimeClock;
    if (options.headless) {
        layer.video = createHeadlessVideoOutput();
        layer.events = createHeadlessWindowEvents();
        layer.clock = options.realtimeClock ? createSystemClock() : createVirtualClock();
        layer.inputDevices = createScriptInputDevices(options.script);
        layer.audio = createHeadlessAudioDevice();
        layer.shell = createRecordingShell();
    } else {
        layer.video = createSdlVideoOutput();
        layer.events = createSdlWindowEvents();
        layer.clock = createSystemClock();
        layer.inputDevices = options.script ? createScriptInputDevices(options.script)
                                            : createSdlInputDevices(layer.video.get());
        layer.audio = createSdlAudioDevice();
        layer.shell = createDesktopShell();
    }
    // Both draw with the software device: the same pixels everywhere.
    layer.graphics = createSoftwareGraphicsSystem(layer.video.get());
    layer.glyphs = createFreeTypeRasteriser();
    layer.images = createSdlImageDecoder();
    return layer;
}

}  // namespace tiefschacht
