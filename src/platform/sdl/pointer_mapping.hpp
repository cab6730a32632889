// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// Where a point of the window lies in the presented frame. The frame fills
// the window at its own shape, centred, with black bars beside or above it
// where the shapes differ (full-screen on a screen of another shape); in a
// window of the frame's size the two coordinates are the same.

struct FramePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// `windowX/Y` in the window's coordinates, the sizes in the same units. A
// point on a bar lies outside 0 .. frame size. Without a window or a frame
// the point is returned unchanged.
FramePoint framePointInWindow(float windowX, float windowY, int windowWidth, int windowHeight,
                              int frameWidth, int frameHeight);

}  // namespace tiefschacht
