// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/math3d.hpp"

namespace tiefschacht {

class World;
struct SpriteTexture;

// One 2 x 2 textured square at a position, alpha-blended / additive. A null
// record or a record without a texture draws the square untextured (white).
void drawQuad(World& world, const Vec3& position, const SpriteTexture* texture);
void drawQuadAdditive(World& world, const Vec3& position, const SpriteTexture* texture);
// Sampler 0's addressing: clamp (so a picture's edges don't bleed in from
// the opposite side) or back to wrap.
void setTextureClamping(bool on);

}  // namespace tiefschacht
