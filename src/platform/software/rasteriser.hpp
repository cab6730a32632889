// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The general triangle rasteriser: edge functions on 1/256-pixel fixed-point
// positions with the top-left fill rule, pixel centres at integer
// coordinates, perspective-correct attributes. It draws anything; the
// rectangle fast path is checked against it.
#include <array>

#include "platform/software/geometry.hpp"
#include "platform/software/shading.hpp"

namespace tiefschacht {

namespace swr {

// Snaps a screen coordinate to the rasteriser's 1/256-pixel grid.
int64_t snapToGrid(double v);

// Filter choice for a triangle whose minification and magnification filters
// differ: minifying when a pixel covers more than one texel.
bool minifies(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
              const TextureView& tex);

// Rasterises the convex polygon (already clipped to the guard band) as a fan.
void rasterisePolygon(const std::array<ScreenVertex, MaxPolygon>& poly, int count,
                      const PixelSetup& setup, const RenderTarget& target);

}  // namespace swr

}  // namespace tiefschacht
