// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on the software device: a draw is checked against its vertex
// stream, written into the frame record with the states in force, and
// rasterised from that record: its vertices transformed, clipped and
// projected, and its triangles drawn by the rectangle fast path where two
// of them make a rectangle on screen, else by the general rasteriser.
#include <cmath>
#include <cstring>

#include "platform/software/device.hpp"
#include "platform/software/rasteriser.hpp"
#include "platform/software/texture.hpp"
#include "platform/software/vertex_buffer.hpp"

namespace tiefschacht {

namespace {

constexpr uint32_t QuadVertexSize = 24;
constexpr uint32_t ScreenVertexSize = 28;

swr::StageOp stageOp(uint32_t v) {
    switch (v) {
    case TopDisable: return swr::StageOp::Disable;
    case TopSelectArg1: return swr::StageOp::SelectArg1;
    case TopSelectArg2: return swr::StageOp::SelectArg2;
    default: return swr::StageOp::Modulate;
    }
}
// Stage 0 has no earlier stage, so "current" is the diffuse colour.
swr::StageArg stageArg(uint32_t v) {
    return (v & 0xF) == TaTexture ? swr::StageArg::Texture : swr::StageArg::Diffuse;
}
swr::BlendFactor blendFactor(uint32_t v, swr::BlendFactor fallback) {
    switch (v) {
    case BlendZero: return swr::BlendFactor::Zero;
    case BlendOne: return swr::BlendFactor::One;
    case BlendSrcAlpha: return swr::BlendFactor::SrcAlpha;
    case BlendInvSrcAlpha: return swr::BlendFactor::InvSrcAlpha;
    default: return fallback;
    }
}

float readFloat(const uint8_t* p) {
    float f;
    std::memcpy(&f, p, 4);
    return f;
}
uint32_t readU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

swr::RenderTarget SoftwareDevice::target() {
    restoreBackBuffer();
    return swr::RenderTarget{back_->pixels.data(), depth_.data(), width_, height_};
}

swr::PixelSetup SoftwareDevice::pixelSetup(const swr::DeviceStates& states) const {
    swr::PixelSetup p;
    Texture* bound = states.textures[0];
    if (bound != nullptr && registry_->textures.count(bound) != 0)
        p.texture = static_cast<const SoftwareTexture*>(bound)->view();

    const auto& smp = states.sampler[0];
    // Mirror addressing reads as wrap and border as clamp.
    uint32_t au = smp[static_cast<int>(SamplerState::AddressU)];
    uint32_t av = smp[static_cast<int>(SamplerState::AddressV)];
    p.sampler.wrapU = au == AddressWrap || au == 2;
    p.sampler.wrapV = av == AddressWrap || av == 2;
    p.sampler.linear = smp[static_cast<int>(SamplerState::MagFilter)] == FilterLinear;

    const auto& st = states.stage[0];
    p.combine.colourOp = stageOp(st[static_cast<int>(TextureStageState::ColorOp)]);
    p.combine.colourArg1 = stageArg(st[static_cast<int>(TextureStageState::ColorArg1)]);
    p.combine.colourArg2 = stageArg(st[static_cast<int>(TextureStageState::ColorArg2)]);
    p.combine.alphaOp = stageOp(st[static_cast<int>(TextureStageState::AlphaOp)]);
    p.combine.alphaArg1 = stageArg(st[static_cast<int>(TextureStageState::AlphaArg1)]);
    p.combine.alphaArg2 = stageArg(st[static_cast<int>(TextureStageState::AlphaArg2)]);
    // A disabled colour operation switches the whole stage off.
    if (p.combine.colourOp == swr::StageOp::Disable) p.combine.alphaOp = swr::StageOp::Disable;

    const auto& rs = states.render;
    auto r = [&](RenderState s) { return rs[static_cast<int>(s)]; };
    p.alphaTest = r(RenderState::AlphaTestEnable) != 0;
    p.alphaFunc = r(RenderState::AlphaFunc);
    p.alphaRef = r(RenderState::AlphaRef) & 0xFF;
    p.blend.enabled = r(RenderState::AlphaBlendEnable) != 0;
    p.blend.src = blendFactor(r(RenderState::SrcBlend), swr::BlendFactor::One);
    p.blend.dst = blendFactor(r(RenderState::DestBlend), swr::BlendFactor::Zero);
    p.depthTest = r(RenderState::ZEnable) != 0;
    p.depthWrite = p.depthTest && r(RenderState::ZWriteEnable) != 0;
    p.depthFunc = r(RenderState::ZFunc);
    return p;
}

void SoftwareDevice::drawPolygon(std::array<swr::ScreenVertex, swr::MaxPolygon>& poly, int n,
                                 const swr::PixelSetup& setup, const swr::DeviceStates& states,
                                 bool minMagDiffer) {
    n = swr::clipToGuardBand(poly, n, width_, height_);
    if (n < 3) return;
    double area = swr::signedArea(poly, n);
    if (area == 0.0) return;
    uint32_t cull = states.render[static_cast<int>(RenderState::CullMode)];
    // Positive area is clockwise on screen (y down).
    if ((cull == CullCW && area > 0.0) || (cull == CullCCW && area < 0.0)) return;
    if (!minMagDiffer) {
        swr::rasterisePolygon(poly, n, setup, target());
        return;
    }
    swr::PixelSetup s = setup;
    const auto& smp = states.sampler[0];
    uint32_t filter = swr::minifies(poly[0], poly[1], poly[2], setup.texture)
                          ? smp[static_cast<int>(SamplerState::MinFilter)]
                          : smp[static_cast<int>(SamplerState::MagFilter)];
    s.sampler.linear = filter == FilterLinear;
    swr::rasterisePolygon(poly, n, s, target());
}

bool SoftwareDevice::drawRectPair(const size_t (&index)[6], bool transformed,
                                  const swr::PixelSetup& setup, const swr::DeviceStates& states,
                                  bool minMagDiffer) {
    const swr::ScreenVertex* corner[6];
    for (int k = 0; k < 6; ++k) {
        if (transformed) {
            // Only rectangles that no clip plane touches.
            if (!insideScratch_[index[k]]) return false;
            corner[k] = &projectedScratch_[index[k]];
        } else {
            corner[k] = &screenScratch_[index[k]];
        }
    }
    swr::ScreenRect rect;
    if (!swr::findScreenRect(corner, rect)) return false;
    auto orientation = [](const swr::ScreenVertex& a, const swr::ScreenVertex& b,
                          const swr::ScreenVertex& c) {
        return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    };
    const uint32_t cull = states.render[static_cast<int>(RenderState::CullMode)];
    auto culled = [&](double area) {
        return (cull == CullCW && area > 0.0) || (cull == CullCCW && area < 0.0);
    };
    const bool cullA = culled(orientation(*corner[0], *corner[1], *corner[2]));
    const bool cullB = culled(orientation(*corner[3], *corner[4], *corner[5]));
    if (cullA != cullB) return false;
    if (cullA) return true;
    swr::PixelSetup s = setup;
    if (minMagDiffer) {
        const auto& smp = states.sampler[0];
        double texels = std::fabs((rect.uRight - rect.uLeft) * setup.texture.width *
                                  (rect.vBottom - rect.vTop) * setup.texture.height);
        double pixels = (rect.right - rect.left) * (rect.bottom - rect.top);
        uint32_t filter = texels > pixels ? smp[static_cast<int>(SamplerState::MinFilter)]
                                          : smp[static_cast<int>(SamplerState::MagFilter)];
        s.sampler.linear = filter == FilterLinear;
    }
    spanTables_.loops = options_.spanLoops.value_or(swr::bestSpanLoops());
    swr::drawScreenRect(rect, s, target(), spanTables_);
    ++fastRects_;
    return true;
}

Status SoftwareDevice::drawPrimitive(PrimitiveType type, uint32_t startVertex,
                                     uint32_t primitiveCount) {
    if (type != PrimitiveType::TriangleList && type != PrimitiveType::TriangleStrip)
        return StatusInvalidCall;
    const uint32_t vertexSize = fvf_ == FvfQuadVertex     ? QuadVertexSize
                                : fvf_ == FvfScreenVertex ? ScreenVertexSize
                                                          : 0;
    if (vertexSize == 0) return StatusInvalidCall;
    if (stream_ == nullptr || registry_->buffers.count(stream_) == 0) return StatusInvalidCall;
    if (streamStride_ < vertexSize) return StatusInvalidCall;
    const bool list = type == PrimitiveType::TriangleList;
    const uint64_t vertexCount = list                 ? uint64_t{primitiveCount} * 3
                                 : primitiveCount > 0 ? uint64_t{primitiveCount} + 2
                                                      : 0;
    const auto* buffer = static_cast<const SoftwareVertexBuffer*>(stream_);
    uint64_t bytes = 0;
    if (vertexCount > 0) {
        bytes = (vertexCount - 1) * streamStride_ + vertexSize;
        if (uint64_t{streamOffset_} + uint64_t{startVertex} * streamStride_ + bytes >
            buffer->size())
            return StatusInvalidCall;
    }
    DrawRecord d;
    d.type = type;
    d.primitiveCount = primitiveCount;
    d.fvf = fvf_;
    d.stride = streamStride_;
    d.states = states_;
    Texture* bound = states_.textures[0];
    if (bound != nullptr && registry_->textures.count(bound) != 0)
        d.textureStamp = static_cast<const SoftwareTexture*>(bound)->stamp();
    const uint8_t* first = buffer->data() + streamOffset_ + uint64_t{startVertex} * streamStride_;
    frame_.addDraw(d, first, static_cast<size_t>(bytes));
    takeRequest();
    return StatusOk;
}

void SoftwareDevice::rasterise(const DrawRecord& d, const uint8_t* base) {
    const swr::DeviceStates& states = d.states;
    const bool transformed = d.fvf == FvfQuadVertex;
    const bool list = d.type == PrimitiveType::TriangleList;
    const uint32_t primitiveCount = d.primitiveCount;
    const size_t count = list ? size_t{primitiveCount} * 3 : size_t{primitiveCount} + 2;
    const swr::PixelSetup setup = pixelSetup(states);
    if (setup.depthTest && (depthClearPending_ || depth_.empty())) {
        // The depth buffer is made when a draw first tests depth (most of
        // the game's drawing does not): until a clear it holds the far plane.
        depth_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_),
                      depthClearPending_ ? pendingDepth_ : 1.0f);
        depthClearPending_ = false;
    }
    const auto& smp = states.sampler[0];
    const bool minMagDiffer = smp[static_cast<int>(SamplerState::MinFilter)] !=
                              smp[static_cast<int>(SamplerState::MagFilter)];
    const bool generalOnly = options_.generalPathOnly;

    if (transformed) {
        const bool lit = states.render[static_cast<int>(RenderState::Lighting)] != 0;
        const Mat4 m = matrixMultiply(matrixMultiply(states.transforms[0], states.transforms[1]),
                                      states.transforms[2]);
        clipScratch_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = base + i * d.stride;
            // Lighting with no lights and no material gives black, alpha 0.
            uint32_t colour = lit ? 0u : readU32(p + 12);
            clipScratch_[i] =
                swr::transformVertex(m, readFloat(p), readFloat(p + 4), readFloat(p + 8),
                                     readFloat(p + 16), readFloat(p + 20), colour);
        }
        if (!generalOnly && primitiveCount >= 2) {
            projectedScratch_.resize(count);
            insideScratch_.resize(count);
            for (size_t i = 0; i < count; ++i) {
                insideScratch_[i] = swr::insideClipVolume(clipScratch_[i]);
                if (insideScratch_[i])
                    projectedScratch_[i] = swr::project(clipScratch_[i], width_, height_);
            }
        }
    } else {
        screenScratch_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = base + i * d.stride;
            screenScratch_[i] = swr::screenVertex(readFloat(p), readFloat(p + 4), readFloat(p + 8),
                                                  readFloat(p + 12), readFloat(p + 20),
                                                  readFloat(p + 24), readU32(p + 16));
        }
    }

    auto triangle = [&](uint32_t t, size_t* out) {
        if (list) {
            out[0] = size_t{t} * 3;
            out[1] = out[0] + 1;
            out[2] = out[0] + 2;
        } else if (t % 2 == 0) {
            out[0] = t;
            out[1] = size_t{t} + 1;
            out[2] = size_t{t} + 2;
        } else {
            // Odd triangles of a strip run the other way round.
            out[0] = size_t{t} + 1;
            out[1] = t;
            out[2] = size_t{t} + 2;
        }
    };
    for (uint32_t t = 0; t < primitiveCount;) {
        size_t index[6];
        triangle(t, index);
        if (!generalOnly && t + 1 < primitiveCount) {
            triangle(t + 1, index + 3);
            if (drawRectPair(index, transformed, setup, states, minMagDiffer)) {
                t += 2;
                continue;
            }
        }
        std::array<swr::ScreenVertex, swr::MaxPolygon> poly{};
        int n = 3;
        if (transformed) {
            const swr::ClipVertex tri[3] = {clipScratch_[index[0]], clipScratch_[index[1]],
                                            clipScratch_[index[2]]};
            n = swr::clipAndProject(tri, width_, height_, poly);
        } else {
            for (int k = 0; k < 3; ++k) poly[k] = screenScratch_[index[k]];
        }
        if (n >= 3) drawPolygon(poly, n, setup, states, minMagDiffer);
        ++t;
    }
}

}  // namespace tiefschacht
