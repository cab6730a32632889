// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/device_states.hpp"

namespace tiefschacht {

namespace swr {

DeviceStates defaultStates(bool depthBuffer) {
    DeviceStates s;
    auto rs = [&](RenderState r, uint32_t v) { s.render[static_cast<int>(r)] = v; };
    rs(RenderState::ZEnable, depthBuffer ? ZBufferTrue : ZBufferFalse);
    rs(RenderState::FillMode, FillSolid);
    rs(RenderState::ZWriteEnable, 1);
    rs(RenderState::AlphaTestEnable, 0);
    rs(RenderState::SrcBlend, BlendOne);
    rs(RenderState::DestBlend, BlendZero);
    rs(RenderState::CullMode, CullCCW);
    rs(RenderState::ZFunc, CmpLessEqual);
    rs(RenderState::AlphaRef, 0);
    rs(RenderState::AlphaFunc, CmpAlways);
    rs(RenderState::DitherEnable, 0);
    rs(RenderState::AlphaBlendEnable, 0);
    rs(RenderState::FogEnable, 0);
    rs(RenderState::SpecularEnable, 0);
    rs(RenderState::StencilEnable, 0);
    rs(RenderState::Clipping, 1);
    rs(RenderState::Lighting, 1);
    rs(RenderState::VertexBlend, VertexBlendDisable);
    rs(RenderState::ClipPlaneEnable, 0);
    rs(RenderState::IndexedVertexBlendEnable, 0);
    rs(RenderState::ColorWriteEnable, ColorWriteAll);
    for (auto& smp : s.sampler) {
        smp[static_cast<int>(SamplerState::AddressU)] = AddressWrap;
        smp[static_cast<int>(SamplerState::AddressV)] = AddressWrap;
        smp[static_cast<int>(SamplerState::MagFilter)] = FilterPoint;
        smp[static_cast<int>(SamplerState::MinFilter)] = FilterPoint;
        smp[static_cast<int>(SamplerState::MipFilter)] = FilterNone;
    }
    for (int i = 0; i < TextureStageCount; ++i) {
        auto& st = s.stage[i];
        st[static_cast<int>(TextureStageState::ColorOp)] = i == 0 ? TopModulate : TopDisable;
        st[static_cast<int>(TextureStageState::ColorArg1)] = TaTexture;
        st[static_cast<int>(TextureStageState::ColorArg2)] = TaCurrent;
        st[static_cast<int>(TextureStageState::AlphaOp)] = i == 0 ? TopSelectArg1 : TopDisable;
        st[static_cast<int>(TextureStageState::AlphaArg1)] = TaTexture;
        st[static_cast<int>(TextureStageState::AlphaArg2)] = TaCurrent;
        st[static_cast<int>(TextureStageState::TexCoordIndex)] = static_cast<uint32_t>(i);
        st[static_cast<int>(TextureStageState::TextureTransformFlags)] = TtfDisable;
    }
    return s;
}

}  // namespace swr

}  // namespace tiefschacht
