// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/quad.hpp"

#include "services/graphics.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace {

// The shared unit quad, moved into place by the translation row of the
// world matrix, with blending set by the caller and everything put back to
// the device's resting states afterwards (no texture, no blending, lighting
// and depth test on).
void drawBlendedQuad(World& world, const Vec3& position, const SpriteTexture* texture,
                     bool additive) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    world.worldMatrix.m[3][0] = position.x;
    world.worldMatrix.m[3][1] = position.y;
    world.worldMatrix.m[3][2] = position.z;
    device->setTransform(TransformKind::World, world.worldMatrix);

    device->setRenderState(RenderState::Lighting, 0);
    device->setRenderState(RenderState::ZEnable, ZBufferFalse);
    device->setRenderState(RenderState::AlphaBlendEnable, 1);
    if (additive) {
        device->setRenderState(RenderState::DestBlend, BlendOne);
        device->setRenderState(RenderState::SrcBlend, BlendOne);
    } else {
        device->setRenderState(RenderState::SrcBlend, BlendSrcAlpha);
        device->setRenderState(RenderState::DestBlend, BlendInvSrcAlpha);
    }

    device->setTexture(0, textureOf(texture));  // none: an untextured white square
    device->setStreamSource(0, world.quadBuffer.get(), 0, sizeof(QuadVertex));
    device->setFvf(FvfQuadVertex);
    device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);

    device->setTexture(0, nullptr);
    device->setRenderState(RenderState::AlphaBlendEnable, 0);
    device->setRenderState(RenderState::Lighting, 1);
    device->setRenderState(RenderState::ZEnable, ZBufferTrue);
}

}  // namespace

void drawQuad(World& world, const Vec3& position, const SpriteTexture* texture) {
    drawBlendedQuad(world, position, texture, false);
}

void drawQuadAdditive(World& world, const Vec3& position, const SpriteTexture* texture) {
    drawBlendedQuad(world, position, texture, true);
}

void setTextureClamping(bool on) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    const uint32_t mode = on ? AddressClamp : AddressWrap;
    device->setSamplerState(0, SamplerState::AddressU, mode);
    device->setSamplerState(0, SamplerState::AddressV, mode);
}

}  // namespace tiefschacht
