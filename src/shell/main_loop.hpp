#pragma once
// The message loop and the frame it runs on every pass.
#include <cstdint>
#include <optional>

// Each pass takes at most one window message, then runs one frame. Ends on
// the quit message, or after a number of frames.
void runMessageLoop(std::optional<uint64_t> frameLimit);

// One frame: unless paused, clear, begin the scene, dispatch the state, end
// the scene and present (paused: present the frame on screen again); then poll the mouse and the keyboard (so handlers
// see the input polled at the end of the frame before), record the polls
// when recording, and wait for the frame cap (unless the program is ending).
void runFrame();
// The drawing part of a frame (clear to dispatch to present).
void renderFrame();
// A paused frame draws nothing new but presents the frame on screen again:
// unchanged, that costs nothing, and a window that lost its picture
// (uncovered, restored, switched to full-screen) shows the paused scene
// again instead of staying black until the pause ends.
void presentPausedFrame();
