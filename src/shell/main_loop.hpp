// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message loop and the frame it runs on every pass.
#include <cstdint>
#include <optional>

namespace tiefschacht {

// Whether frames are drawn. A run that only needs the game's state (a replay
// checked by its state dump, a tool) may skip the drawing: the updates are
// the same, so the state is the same, frame for frame.
enum class FrameDrawing { Drawn, Skipped };

// Each pass takes at most one window message, then runs one frame. Ends on
// the quit message, or after a number of frames.
void runMessageLoop(std::optional<uint64_t> frameLimit, FrameDrawing drawing = FrameDrawing::Drawn);

// One frame: unless paused, the current state's update (and the updates of
// later states it switches to), then the draws of those states between
// clearing and presenting (paused: no update, the current state drawn as it
// is); then the polls of
// the mouse and the keyboard and the rules that act on the keys (so updates
// see the input polled at the end of the frame before), the recording of the
// polls, and the wait for the frame cap (unless the program is ending).
void runFrame(FrameDrawing drawing = FrameDrawing::Drawn);

}  // namespace tiefschacht
