// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/quad.hpp"

#include <cstring>

#include "services/graphics.hpp"
#include "world/sprite_texture.hpp"

namespace tiefschacht {

QuadDrawing quads;

void createQuadBuffer() {
    quads.quadBuffer.reset();
    GraphicsDevice* device = theDevice();
    if (!device) return;
    std::unique_ptr<VertexBuffer> buffer;
    if (!succeeded(device->createVertexBuffer(sizeof(unitQuad), UsageWriteOnly, FvfQuadVertex,
                                              Pool::Managed, buffer)) ||
        !buffer)
        return;
    void* data = nullptr;
    if (succeeded(buffer->lock(0, 0, &data, 0)) && data) {
        std::memcpy(data, unitQuad.data(), sizeof(unitQuad));
        buffer->unlock();
    }
    quads.quadBuffer = std::move(buffer);
}

void releaseQuadBuffer() { quads.quadBuffer.reset(); }

namespace {

// The shared unit quad, moved into place by the translation row of the
// world matrix, with blending set by the caller and everything put back to
// the device's resting states afterwards (no texture, no blending, lighting
// and depth test on).
void drawBlendedQuad(const Vec3& position, const SpriteTexture* texture, bool additive) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    Mat4 world = Mat4::identity();
    world.m[3][0] = position.x;
    world.m[3][1] = position.y;
    world.m[3][2] = position.z;
    device->setTransform(TransformKind::World, world);

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
    device->setStreamSource(0, quads.quadBuffer.get(), 0, sizeof(QuadVertex));
    device->setFvf(FvfQuadVertex);
    device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);

    device->setTexture(0, nullptr);
    device->setRenderState(RenderState::AlphaBlendEnable, 0);
    device->setRenderState(RenderState::Lighting, 1);
    device->setRenderState(RenderState::ZEnable, ZBufferTrue);
}

}  // namespace

void drawQuad(const Vec3& position, const SpriteTexture* texture) {
    drawBlendedQuad(position, texture, false);
}

void drawQuadAdditive(const Vec3& position, const SpriteTexture* texture) {
    drawBlendedQuad(position, texture, true);
}

void setTextureClamping(bool on) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    const uint32_t mode = on ? AddressClamp : AddressWrap;
    device->setSamplerState(0, SamplerState::AddressU, mode);
    device->setSamplerState(0, SamplerState::AddressV, mode);
}

}  // namespace tiefschacht
