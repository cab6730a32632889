// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A text font's life: construction without a device, the vertex buffer and
// the two state blocks made once the atlas exists, and their release.
#include "drawing/text_font.hpp"

#include <algorithm>
#include <cstring>

namespace tiefschacht {

namespace {

// The buffer holds 342 vertices; at most 300 are written between two draws.
constexpr uint32_t textVertexBufferBytes = 9600;

// Sets the states text is drawn with. Called between beginStateBlock and
// endStateBlock, so that the block records exactly this set.
void setTextStates(GraphicsDevice& device, Texture* atlas, uint32_t fontFlags) {
    device.setTexture(0, atlas);

    device.setRenderState(RenderState::ZEnable,
                          (fontFlags & FontDepthTest) != 0 ? ZBufferTrue : ZBufferFalse);
    device.setRenderState(RenderState::AlphaBlendEnable, 1);
    device.setRenderState(RenderState::SrcBlend, BlendSrcAlpha);
    device.setRenderState(RenderState::DestBlend, BlendInvSrcAlpha);
    device.setRenderState(RenderState::AlphaTestEnable, 1);
    device.setRenderState(RenderState::AlphaRef, 8);
    device.setRenderState(RenderState::AlphaFunc, CmpGreaterEqual);
    device.setRenderState(RenderState::FillMode, FillSolid);
    device.setRenderState(RenderState::CullMode, CullCCW);
    device.setRenderState(RenderState::StencilEnable, 0);
    device.setRenderState(RenderState::Clipping, 1);
    device.setRenderState(RenderState::ClipPlaneEnable, 0);
    device.setRenderState(RenderState::VertexBlend, VertexBlendDisable);
    device.setRenderState(RenderState::IndexedVertexBlendEnable, 0);
    device.setRenderState(RenderState::FogEnable, 0);
    device.setRenderState(RenderState::ColorWriteEnable, ColorWriteAll);

    // Glyph colour = vertex colour x white texel; alpha = vertex alpha x coverage.
    device.setTextureStageState(0, TextureStageState::ColorOp, TopModulate);
    device.setTextureStageState(0, TextureStageState::ColorArg1, TaTexture);
    device.setTextureStageState(0, TextureStageState::ColorArg2, TaDiffuse);
    device.setTextureStageState(0, TextureStageState::AlphaOp, TopModulate);
    device.setTextureStageState(0, TextureStageState::AlphaArg1, TaTexture);
    device.setTextureStageState(0, TextureStageState::AlphaArg2, TaDiffuse);
    device.setTextureStageState(0, TextureStageState::TexCoordIndex, 0);
    device.setTextureStageState(0, TextureStageState::TextureTransformFlags, TtfDisable);
    device.setTextureStageState(1, TextureStageState::ColorOp, TopDisable);
    device.setTextureStageState(1, TextureStageState::AlphaOp, TopDisable);

    device.setSamplerState(0, SamplerState::MinFilter, FilterPoint);
    device.setSamplerState(0, SamplerState::MagFilter, FilterPoint);
    device.setSamplerState(0, SamplerState::MipFilter, FilterNone);
}

Status recordTextStates(GraphicsDevice& device, Texture* atlas, uint32_t fontFlags,
                        std::unique_ptr<StateBlock>& out) {
    const Status begun = device.beginStateBlock();
    if (!succeeded(begun)) return begun;
    setTextStates(device, atlas, fontFlags);
    return device.endStateBlock(out);
}

}  // namespace

TextFont::TextFont(const char* name, uint32_t heightPoints, uint32_t fontFlags)
    : height(heightPoints), flags(fontFlags) {
    if (name != nullptr) {
        const size_t length = std::min(std::strlen(name), faceName.size() - 1);
        std::memcpy(faceName.data(), name, length);
        faceName[length] = '\0';
    }
}

TextFont::~TextFont() {
    releaseDeviceResources();
    releaseAtlas();
}

Status TextFont::createDeviceResources() {
    if (device == nullptr) return StatusFail;
    releaseDeviceResources();
    const Status created = device->createVertexBuffer(
        textVertexBufferBytes, UsageWriteOnly | UsageDynamic, 0, Pool::Default, vertexBuffer);
    if (!succeeded(created) || !vertexBuffer) {
        vertexBuffer.reset();
        return succeeded(created) ? StatusFail : created;
    }
    // The same set twice: the first block keeps the caller's values of these
    // states while text is drawn, the second holds the text's own.
    Status recorded = recordTextStates(*device, atlas.get(), flags, savedState);
    if (succeeded(recorded)) recorded = recordTextStates(*device, atlas.get(), flags, drawState);
    if (!succeeded(recorded) || !savedState || !drawState) {
        releaseDeviceResources();
        return succeeded(recorded) ? StatusFail : recorded;
    }
    return StatusOk;
}

void TextFont::releaseDeviceResources() {
    vertexBuffer.reset();
    savedState.reset();
    drawState.reset();
}

void TextFont::releaseAtlas() {
    atlas.reset();
    device = nullptr;
}

}  // namespace tiefschacht
