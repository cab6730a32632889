// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures made of light on black, meant to be added to what lies behind
// them: the water overlays and the glowing creatures.
#include "image.hpp"

namespace tiefschacht {

namespace art {

// Frames 0..7 shimmer; frame 8 is the still water's calm reflection.
Image waterOverlay(int frame);
Image wispFrame(int frame);     // frames 0..3
Image lanternFrame(int frame);  // frames 0..1 (mirror for 2..3)
Image flameFrame(int frame);    // frames 0..1 (mirror for 2..3)

}  // namespace art

}  // namespace tiefschacht
