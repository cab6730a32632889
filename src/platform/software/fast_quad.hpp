// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rectangle fast path: two triangles that together make an axis-aligned
// rectangle on screen (screen_rect.hpp) are drawn span by span from
// per-rectangle tables of texel columns and rows (span_tables.hpp), with
// vector loops for filtering and blending (span_kernel.hpp).
// It covers exactly the pixels and computes exactly the colours of the
// general rasteriser (up to rounding of the texture coordinates), which the
// tests check.
#include <cstdint>

#include "platform/software/geometry.hpp"
#include "platform/software/screen_rect.hpp"
#include "platform/software/shading.hpp"
#include "platform/software/span_tables.hpp"

namespace tiefschacht {

namespace swr {

// The widest span loops this processor runs.
SpanLoops bestSpanLoops();

// Draws the rectangle. `setup.sampler.linear` is the filter in force.
void drawScreenRect(const ScreenRect& rect, const PixelSetup& setup, const RenderTarget& target,
                    SpanTables& tables);

}  // namespace swr

}  // namespace tiefschacht
