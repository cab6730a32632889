// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Factories of the real and headless backends of each seam.
#include <memory>

#include "platform/seams.hpp"

namespace tiefschacht {

class InputScript;

std::unique_ptr<VideoOutput> createSdlVideoOutput();
std::unique_ptr<VideoOutput> createHeadlessVideoOutput();
std::unique_ptr<WindowEvents> createSdlWindowEvents();
std::unique_ptr<WindowEvents> createHeadlessWindowEvents();
std::unique_ptr<Clock> createSystemClock();
// Advances by itself, so that waiting for a frame's end never waits for real time.
std::unique_ptr<Clock> createVirtualClock();
std::unique_ptr<InputDevices> createSdlInputDevices(VideoOutput* window);
// Input from a script (null: no input at all).
std::unique_ptr<InputDevices> createScriptInputDevices(std::shared_ptr<InputScript> script);
// Mixes at the rate the game's sounds are made at (22050 Hz), so loading a
// sound converts it only from mono to stereo, not to another rate: SDL's
// resampler took most of the start-up's sound loading. The system's sound
// server takes the finished mix to the hardware's rate.
inline constexpr int sdlMixerRate = 22050;
std::unique_ptr<AudioDevice> createSdlAudioDevice();
std::unique_ptr<AudioDevice> createHeadlessAudioDevice();
std::unique_ptr<GlyphRasteriser> createFreeTypeRasteriser();
std::unique_ptr<ImageDecoder> createSdlImageDecoder();
std::unique_ptr<ShellOpener> createDesktopShell();
std::unique_ptr<ShellOpener> createRecordingShell();

}  // namespace tiefschacht
