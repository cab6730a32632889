// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quad routines every picture of the game is drawn with: one shared 2 x 2
// unit square in a vertex buffer of the device, moved into place by the world
// matrix of each draw.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics_device.hpp"
#include "platform/math3d.hpp"

namespace tiefschacht {

struct SpriteTexture;

struct QuadVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 24);

// The unit quad: a 2 x 2 square around the origin, picture upright.
inline constexpr std::array<QuadVertex, 4> unitQuad = {{
    {-1.0f, 1.0f, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
    {-1.0f, -1.0f, 0.0f, 0xFFFFFFFFu, 0.0f, 1.0f},
    {1.0f, 1.0f, 0.0f, 0xFFFFFFFFu, 1.0f, 0.0f},
    {1.0f, -1.0f, 0.0f, 0xFFFFFFFFu, 1.0f, 1.0f},
}};

// The drawing layer's device resources: the unit quad's vertex buffer.
struct QuadDrawing {
    std::unique_ptr<VertexBuffer> quadBuffer;
};

extern QuadDrawing quads;

// Makes the unit quad's vertex buffer on the graphics device (none without
// a device or when the device refuses it: quads then draw nothing).
void createQuadBuffer();
void releaseQuadBuffer();

// One 2 x 2 textured square at a position, alpha-blended / additive. A null
// record or a record without a texture draws the square untextured (white).
void drawQuad(const Vec3& position, const SpriteTexture* texture);
void drawQuadAdditive(const Vec3& position, const SpriteTexture* texture);
// Sampler 0's addressing: clamp (so a picture's edges don't bleed in from
// the opposite side) or back to wrap.
void setTextureClamping(bool on);

}  // namespace tiefschacht
