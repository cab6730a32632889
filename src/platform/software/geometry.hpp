// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vertex set-up for the software device: transforming untransformed
// vertices, clipping polygons against the near and far planes in homogeneous
// space, the perspective divide, and clipping on screen against a guard band
// so that every coordinate the rasteriser sees is finite and small.
#include <array>
#include <cstdint>

#include "platform/math3d.hpp"

namespace tiefschacht {

namespace swr {

// A vertex before the divide: clip-space position, texture coordinates and
// colour channels 0..255 (a, r, g, b).
struct ClipVertex {
    double x = 0, y = 0, z = 0, w = 1;
    double u = 0, v = 0;
    std::array<double, 4> colour{};  // a, r, g, b
};

// A vertex on screen: pixel position, depth, 1/w, and the attributes
// multiplied by 1/w (so that they interpolate linearly on screen).
struct ScreenVertex {
    double x = 0, y = 0, z = 0, rhw = 1;
    double uw = 0, vw = 0;
    std::array<double, 4> colourW{};  // a, r, g, b times rhw
};

// The largest polygon clipping can make of one triangle (3 + one per plane).
constexpr int MaxPolygon = 12;

// Pixels beyond the screen's edges that geometry may keep; the rasteriser
// clamps to the screen, this only keeps the integer maths small.
constexpr double GuardBand = 16.0;

// Untransformed vertex (x, y, z) through the combined matrix, in double.
ClipVertex transformVertex(const Mat4& m, float x, float y, float z, float u, float v,
                           uint32_t argb);

// Vertex of a pre-transformed draw (screen position and 1/w given).
ScreenVertex screenVertex(float x, float y, float z, float rhw, float u, float v, uint32_t argb);

// The divide by w and the viewport mapping of one vertex.
ScreenVertex project(const ClipVertex& v, int width, int height);

// Whether a vertex lies within 0 <= z <= w (w > 0) and is finite, so that
// no clipping can change a triangle made of such vertices.
bool insideClipVolume(const ClipVertex& v);

// Clips the triangle against 0 <= z <= w (and w > 0), divides by w and maps
// to the viewport. Returns the number of vertices written to out (0: gone).
int clipAndProject(const ClipVertex (&tri)[3], int width, int height,
                   std::array<ScreenVertex, MaxPolygon>& out);

// Clips a screen polygon to the guard band around width x height. Returns
// the new vertex count; 0 when nothing is left or any value is not finite.
int clipToGuardBand(std::array<ScreenVertex, MaxPolygon>& poly, int count, int width, int height);

// Twice the signed area on screen (y down): positive for clockwise.
double signedArea(const std::array<ScreenVertex, MaxPolygon>& poly, int count);

}  // namespace swr

}  // namespace tiefschacht
