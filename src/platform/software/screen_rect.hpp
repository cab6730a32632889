// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recognising the rectangles the fast path draws: two triangles that together
// make an axis-aligned rectangle on screen, with one depth, one 1/w, one
// colour and texture coordinates that follow x and y separately.
#include <cstdint>

#include "platform/software/geometry.hpp"

namespace tiefschacht {

namespace swr {

// A rectangle on screen with what the span drawer needs.
struct ScreenRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double uLeft = 0, uRight = 0, vTop = 0, vBottom = 0;
    float z = 0;
    uint32_t diffuse = 0;
};

// Recognises two triangles (a0, a1, a2) and (b0, b1, b2) that share a
// diagonal and form a rectangle meeting the conditions above. `corners`
// are the six vertices in triangle order.
bool findScreenRect(const ScreenVertex* const (&corners)[6], ScreenRect& out);

}  // namespace swr

}  // namespace tiefschacht
