// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rectangle fast path: two triangles that together make an axis-aligned
// rectangle on screen, with one depth, one 1/w, one colour and texture
// coordinates that follow x and y separately, are drawn span by span from
// per-rectangle tables of texel columns and rows (software_span_tables),
// with vector loops for filtering and blending (software_span_kernel).
// It covers exactly the pixels and computes exactly the colours of the
// general rasteriser (up to rounding of the texture coordinates), which the
// tests check.
#include <cstdint>

#include "platform/software/geometry.hpp"
#include "platform/software/shading.hpp"
#include "platform/software/span_tables.hpp"

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

// The widest span loops this processor runs.
SpanLoops bestSpanLoops();

// Draws the rectangle. `setup.sampler.linear` is the filter in force.
void drawScreenRect(const ScreenRect& rect, const PixelSetup& setup, const RenderTarget& target,
                    SpanTables& tables);

}  // namespace swr

}  // namespace tiefschacht
