// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message loop and the frame it runs on every pass.
#include <cstdint>
#include <optional>

namespace tiefschacht {

// Each pass takes at most one window message, then runs one frame. Ends on
// the quit message, or after a number of frames.
void runMessageLoop(std::optional<uint64_t> frameLimit);

// One frame: unless paused, clear, begin the scene, dispatch the state, end
// the scene and present (paused: present the frame on screen again, so a
// window that lost its picture shows the paused scene); then poll the mouse
// and the keyboard (so handlers see the input polled at the end of the frame
// before), record the polls when recording, and wait for the frame cap
// (unless the program is ending).
void runFrame();
// The drawing part of a frame (clear to dispatch to present).
void renderFrame();

}  // namespace tiefschacht
