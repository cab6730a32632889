// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The set of platform backends the game runs on, chosen once at start.
#include <memory>

#include "platform/graphics_device.hpp"
#include "platform/seams.hpp"

namespace tiefschacht {

class InputScript;

struct PlatformLayer {
    std::unique_ptr<VideoOutput> video;
    // The graphics system devices are made by, presenting into `video`; the
    // graphics set-up takes it over at start-up.
    std::unique_ptr<GraphicsSystem> graphics;
    std::unique_ptr<WindowEvents> events;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<InputDevices> inputDevices;
    std::unique_ptr<AudioDevice> audio;
    std::unique_ptr<GlyphRasteriser> glyphs;
    std::unique_ptr<ImageDecoder> images;
    std::unique_ptr<ShellOpener> shell;
    bool headless = false;
    bool realClock = false;  // the clock is the machine's, not the virtual one
};

struct PlatformOptions {
    bool headless = false;
    bool realtimeClock = false;           // headless: keep the real clock
    std::shared_ptr<InputScript> script;  // input from a script instead of the devices
};

// Builds the real (SDL) or headless backends. Input comes from the script
// when one is given, else from the devices (headless without a script: no
// input at all).
PlatformLayer createPlatformLayer(const PlatformOptions& options);

// The backends in use. Set by the program entry; tests install their own.
extern PlatformLayer platformLayer;

}  // namespace tiefschacht
