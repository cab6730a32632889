// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pixels the software device draws: placement through the camera, clipping,
// culling, texturing, filtering, addressing, alpha test, blending and depth.
#include <cmath>

#include "unit/platform/device_fixture.hpp"

using namespace tiefschacht;

namespace {

// Two triangles of a triangle list making one screen rectangle, in the
// order the text code writes them (clockwise on screen).
std::vector<ScreenVertexData> screenQuad(float x0, float y0, float x1, float y1, float u0, float v0,
                                         float u1, float v1, uint32_t colour = 0xFFFFFFFFu,
                                         float z = 0.5f) {
    return {{x0, y1, z, 1, colour, u0, v1}, {x0, y0, z, 1, colour, u0, v0},
            {x1, y1, z, 1, colour, u1, v1}, {x1, y0, z, 1, colour, u1, v0},
            {x1, y1, z, 1, colour, u1, v1}, {x0, y0, z, 1, colour, u0, v0}};
}

class DevicePixels : public DeviceTest {
protected:
    // Draws a pre-transformed list with blending and depth off.
    void drawScreen(const std::vector<ScreenVertexData>& verts, Texture* tex, bool linear = false,
                    bool clamp = true) {
        buffer = makeBuffer(verts);
        device->setRenderState(RenderState::ZEnable, 0);
        device->setRenderState(RenderState::CullMode, CullCCW);
        device->setTexture(0, tex);
        uint32_t f = linear ? FilterLinear : FilterPoint;
        device->setSamplerState(0, SamplerState::MinFilter, f);
        device->setSamplerState(0, SamplerState::MagFilter, f);
        uint32_t a = clamp ? AddressClamp : AddressWrap;
        device->setSamplerState(0, SamplerState::AddressU, a);
        device->setSamplerState(0, SamplerState::AddressV, a);
        device->setStreamSource(0, buffer.get(), 0, 28);
        device->setFvf(FvfScreenVertex);
        ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleList, 0,
                                        static_cast<uint32_t>(verts.size() / 3)),
                  StatusOk);
    }

    std::unique_ptr<VertexBuffer> buffer;
};

TEST_F(DevicePixels, QuadAtPlayDepthLandsWhereTheCameraPutsIt) {
    auto quad = makeBuffer(unitQuad());
    const float tx = 5.0f, ty = -3.0f, z = 40.0f;
    drawQuadAt(quad.get(), nullptr, tx, ty, z);

    // Projected edges; a pixel (i, j) is covered when its centre is inside,
    // left and top edges included.
    const double xs = projection.m[0][0], ys = projection.m[1][1];
    auto sx = [&](double x) { return (x * xs / z + 1.0) * W / 2; };
    auto sy = [&](double y) { return (1.0 - y * ys / z) * H / 2; };
    Box b = coveredBox();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.x0, static_cast<int>(std::ceil(sx(tx - 1))));
    EXPECT_EQ(b.x1, static_cast<int>(std::ceil(sx(tx + 1))) - 1);
    EXPECT_EQ(b.y0, static_cast<int>(std::ceil(sy(ty + 1))));
    EXPECT_EQ(b.y1, static_cast<int>(std::ceil(sy(ty - 1))) - 1);
    // Solid inside, untouched outside.
    EXPECT_EQ(countPixels(0xFFFFFFFFu), (b.x1 - b.x0 + 1) * (b.y1 - b.y0 + 1));
}

TEST_F(DevicePixels, UntexturedQuadDrawsVertexColourAndLightingMakesItBlack) {
    auto quad = makeBuffer(unitQuad(0xFF3366CCu));
    drawQuadAt(quad.get(), nullptr, 0, 0, 40);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF3366CCu);

    // Lit untransformed vertices without lights: the diffuse colour is black
    // with alpha 0 (the untextured stage still takes its alpha from white).
    device->clear(0xFF102030u, 1.0f);
    device->setRenderState(RenderState::Lighting, 1);
    device->setRenderState(RenderState::AlphaBlendEnable, 0);
    device->setRenderState(RenderState::ZEnable, 0);
    device->setStreamSource(0, quad.get(), 0, 24);
    device->setFvf(FvfQuadVertex);
    ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF000000u);
    device->setTextureStageState(0, TextureStageState::AlphaOp, TopModulate);
    ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    EXPECT_EQ(pixel(W / 2, H / 2), 0x00000000u);
}

TEST_F(DevicePixels, ColourKeyedTexelsAreTransparentUnderAlphaBlending) {
    device->clear(0xFF204060u, 1.0f);
    // Left column opaque red, right column the colour key's transparent black.
    auto tex = makeTexture(2, 1, {0xFFFF0000u, 0x00000000u});
    auto quad = makeBuffer(unitQuad());
    drawQuadAt(quad.get(), tex.get(), 0, 0, 40);
    Box b = coveredBox(0xFF204060u);
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(pixel(W / 2 - 5, H / 2), 0xFFFF0000u);
    EXPECT_EQ(pixel(W / 2 + 5, H / 2), 0xFF204060u);
    // Nothing of the right half was touched.
    EXPECT_LE(b.x1, W / 2);
}

TEST_F(DevicePixels, AdditiveBlendingAddsAndSaturates) {
    device->clear(0xFF808080u, 1.0f);
    auto dim = makeBuffer(unitQuad(0xFF404040u));
    drawQuadAt(dim.get(), nullptr, 0, 0, 40, true);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFFC0C0C0u);
    auto bright = makeBuffer(unitQuad(0xFF10A0F0u));
    drawQuadAt(bright.get(), nullptr, 0, 0, 40, true);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFFD0FFFFu);
    // Black adds nothing.
    auto black = makeBuffer(unitQuad(0xFF000000u));
    drawQuadAt(black.get(), nullptr, 0, 0, 40, true);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFFD0FFFFu);
}

TEST_F(DevicePixels, AlphaBlendMixesBySourceAlpha) {
    device->clear(0xFF000000u, 1.0f);
    auto half = makeBuffer(unitQuad(0x80FFFFFFu));
    device->setTextureStageState(0, TextureStageState::AlphaOp, TopModulate);
    drawQuadAt(half.get(), nullptr, 0, 0, 40);
    uint32_t p = pixel(W / 2, H / 2);
    EXPECT_EQ(channelOf(p, 16), 128);
    EXPECT_EQ(channelOf(p, 0), 128);
}

TEST_F(DevicePixels, AlphaTestDiscardsBelowTheReference) {
    device->clear(0xFF0000FFu, 1.0f);
    auto tex = makeTexture(3, 1, {0x07FFFFFFu, 0x08FFFFFFu, 0x80FFFFFFu});
    device->setRenderState(RenderState::AlphaTestEnable, 1);
    device->setRenderState(RenderState::AlphaRef, 8);
    device->setRenderState(RenderState::AlphaFunc, CmpGreaterEqual);
    drawScreen(screenQuad(-0.5f, -0.5f, 2.5f, 0.5f, 0, 0, 1, 1), tex.get());
    EXPECT_EQ(pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(pixel(1, 0), 0x08FFFFFFu);
    EXPECT_EQ(pixel(2, 0), 0x80FFFFFFu);
    EXPECT_EQ(pixel(3, 0), 0xFF0000FFu);

    device->clear(0xFF0000FFu, 1.0f);
    device->setRenderState(RenderState::AlphaFunc, CmpLess);
    drawScreen(screenQuad(-0.5f, -0.5f, 2.5f, 0.5f, 0, 0, 1, 1), tex.get());
    EXPECT_EQ(pixel(0, 0), 0x07FFFFFFu);
    EXPECT_EQ(pixel(1, 0), 0xFF0000FFu);
}

TEST_F(DevicePixels, ClampAndWrapDifferAtTheTexturesEdge) {
    auto tex = makeTexture(2, 1, {0xFFFF0000u, 0xFF0000FFu});
    drawScreen(screenQuad(-0.5f, -0.5f, 3.5f, 0.5f, 0, 0, 1, 1), tex.get(), true, true);
    EXPECT_EQ(pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(3, 0), 0xFF0000FFu);

    device->clear(0xFF000000u, 1.0f);
    drawScreen(screenQuad(-0.5f, -0.5f, 3.5f, 0.5f, 0, 0, 1, 1), tex.get(), true, false);
    // Wrapping pulls a quarter of the far edge's blue into the first pixel.
    uint32_t p = pixel(0, 0);
    EXPECT_NEAR(channelOf(p, 16), 191, 1);
    EXPECT_NEAR(channelOf(p, 0), 64, 1);
}

TEST_F(DevicePixels, LinearFilteringBlendsNeighboursAndPointDoesNot) {
    auto tex = makeTexture(2, 1, {0xFF000000u, 0xFFFFFFFFu});
    drawScreen(screenQuad(-0.5f, -0.5f, 3.5f, 0.5f, 0, 0, 1, 1), tex.get(), false);
    EXPECT_EQ(pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(pixel(2, 0), 0xFFFFFFFFu);

    device->clear(0xFF000000u, 1.0f);
    drawScreen(screenQuad(-0.5f, -0.5f, 3.5f, 0.5f, 0, 0, 1, 1), tex.get(), true);
    EXPECT_NEAR(channelOf(pixel(1, 0), 8), 64, 1);
    EXPECT_NEAR(channelOf(pixel(2, 0), 8), 191, 1);
    EXPECT_EQ(pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(pixel(3, 0), 0xFFFFFFFFu);
}

TEST_F(DevicePixels, FourBitTexelsWidenToEightBits) {
    std::unique_ptr<Texture> tex;
    ASSERT_EQ(device->createTexture(2, 1, 1, 0, PixelFormat::A4R4G4B4, Pool::Managed, tex),
              StatusOk);
    LockedRect r;
    ASSERT_EQ(tex->lockRect(r), StatusOk);
    EXPECT_EQ(r.pitch, 4);
    const uint16_t texels[2] = {0xF0F8, 0x8421};
    std::memcpy(r.bits, texels, sizeof texels);
    ASSERT_EQ(tex->unlockRect(), StatusOk);
    drawScreen(screenQuad(-0.5f, -0.5f, 1.5f, 0.5f, 0, 0, 1, 1), tex.get());
    EXPECT_EQ(pixel(0, 0), 0xFF00FF88u);
    EXPECT_EQ(pixel(1, 0), 0x88442211u);
}

TEST_F(DevicePixels, StageOperationsSelectAndModulate) {
    auto tex = makeTexture(1, 1, {0x80FF8040u});
    auto verts = screenQuad(-0.5f, -0.5f, 0.5f, 0.5f, 0, 0, 1, 1, 0xFF808080u);
    drawScreen(verts, tex.get());
    // Colour: texture x diffuse; alpha: the texture's.
    EXPECT_EQ(pixel(0, 0), 0x80804020u);

    device->setTextureStageState(0, TextureStageState::ColorOp, TopSelectArg2);
    device->setTextureStageState(0, TextureStageState::AlphaOp, TopModulate);
    drawScreen(verts, tex.get());
    EXPECT_EQ(pixel(0, 0), 0x80808080u);

    device->setTextureStageState(0, TextureStageState::ColorOp, TopDisable);
    drawScreen(verts, tex.get());
    EXPECT_EQ(pixel(0, 0), 0xFF808080u);
}

TEST_F(DevicePixels, BeyondTheFarPlaneNothingIsDrawn) {
    setCamera(500.0f);
    auto quad = makeBuffer(unitQuad());
    drawQuadAt(quad.get(), nullptr, 0, 0, 600);
    EXPECT_TRUE(coveredBox().empty());
    drawQuadAt(quad.get(), nullptr, 0, 0, 400);
    EXPECT_FALSE(coveredBox().empty());
}

TEST_F(DevicePixels, AQuadCrossingTheNearPlaneIsCutNotDropped) {
    // A floor tile from z = 0.5 (in front of the near plane at 1) to z = 5.
    auto floor = makeBuffer(std::vector<QuadVertex>{{-1, -1, 5, 0xFFFFFFFFu, 0, 0},
                                                    {-1, -1, 0.5f, 0xFFFFFFFFu, 0, 1},
                                                    {1, -1, 5, 0xFFFFFFFFu, 1, 0},
                                                    {1, -1, 0.5f, 0xFFFFFFFFu, 1, 1}});
    device->setRenderState(RenderState::CullMode, CullNone);
    device->setRenderState(RenderState::Lighting, 0);
    device->setStreamSource(0, floor.get(), 0, 24);
    device->setFvf(FvfQuadVertex);
    ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    Box b = coveredBox();
    ASSERT_FALSE(b.empty());
    // The far edge at z = 5 is the top of what is drawn; nearer parts run
    // off the bottom of the screen.
    const double ys = projection.m[1][1];
    EXPECT_EQ(b.y0, static_cast<int>(std::ceil((1.0 + ys / 5.0) * H / 2)));
    EXPECT_EQ(b.y1, H - 1);

    // Entirely behind the camera: nothing.
    device->clear(0xFF000000u, 1.0f);
    translate(0, 0, -10);
    ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    EXPECT_TRUE(coveredBox().empty());
}

TEST_F(DevicePixels, CullModesFollowTheWindingOnScreen) {
    auto quad = makeBuffer(unitQuad());
    // The game's strip is counter-clockwise on screen.
    using Case = std::pair<uint32_t, bool>;
    for (auto [mode, drawn] :
         std::array<Case, 3>{Case{CullCW, true}, {CullCCW, false}, {CullNone, true}}) {
        device->clear(0xFF000000u, 1.0f);
        translate(0, 0, 40);
        device->setRenderState(RenderState::Lighting, 0);
        device->setRenderState(RenderState::CullMode, mode);
        device->setStreamSource(0, quad.get(), 0, 24);
        device->setFvf(FvfQuadVertex);
        device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
        // Both triangles of the strip agree (the odd one is turned round).
        EXPECT_EQ(countPixels(0xFFFFFFFFu) > 0, drawn) << "cull mode " << mode;
        if (drawn) {
            EXPECT_EQ(pixel(W / 2 - 5, H / 2 - 5), pixel(W / 2 + 5, H / 2 + 5));
        }
    }
    // The text code's triangles are clockwise.
    for (auto [mode, drawn] :
         std::array<Case, 3>{Case{CullCW, false}, {CullCCW, true}, {CullNone, true}}) {
        device->clear(0xFF000000u, 1.0f);
        drawScreen(screenQuad(10, 10, 20, 20, 0, 0, 1, 1), nullptr);
        device->setRenderState(RenderState::CullMode, mode);
        device->clear(0xFF000000u, 1.0f);
        device->drawPrimitive(PrimitiveType::TriangleList, 0, 2);
        EXPECT_EQ(countPixels(0xFFFFFFFFu), drawn ? 100 : 0) << "cull mode " << mode;
    }
}

TEST_F(DevicePixels, DepthTestKeepsTheNearerQuad) {
    auto nearQuad = makeBuffer(unitQuad(0xFFFF0000u));
    auto farQuad = makeBuffer(unitQuad(0xFF00FF00u));
    auto draw = [&](VertexBuffer* q, float z) {
        translate(0, 0, z);
        device->setRenderState(RenderState::Lighting, 0);
        device->setRenderState(RenderState::ZEnable, 1);
        device->setRenderState(RenderState::CullMode, CullCW);
        device->setStreamSource(0, q, 0, 24);
        device->setFvf(FvfQuadVertex);
        device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
    };
    draw(nearQuad.get(), 40);
    draw(farQuad.get(), 60);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFFFF0000u);
    // With the depth test off, later quads cover earlier ones.
    device->setRenderState(RenderState::ZEnable, 0);
    translate(0, 0, 60);
    device->setStreamSource(0, farQuad.get(), 0, 24);
    device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF00FF00u);
    // Clearing the depth to 0 leaves nothing in front of it.
    device->clear(0xFF000000u, 0.0f);
    draw(nearQuad.get(), 40);
    EXPECT_TRUE(coveredBox().empty());
    device->setRenderState(RenderState::ZFunc, CmpGreater);
    draw(nearQuad.get(), 40);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFFFF0000u);
}

TEST_F(DevicePixels, TopLeftRuleCoversSharedEdgesOnce) {
    // Two half-pixel-aligned rectangles side by side, additive: no pixel of
    // the shared edge is drawn twice, none is missed.
    device->clear(0xFF000000u, 1.0f);
    device->setRenderState(RenderState::AlphaBlendEnable, 1);
    device->setRenderState(RenderState::SrcBlend, BlendOne);
    device->setRenderState(RenderState::DestBlend, BlendOne);
    auto a = screenQuad(2, 2, 7, 6, 0, 0, 1, 1, 0xFF404040u);
    auto b = screenQuad(7, 2, 12, 6, 0, 0, 1, 1, 0xFF404040u);
    a.insert(a.end(), b.begin(), b.end());
    drawScreen(a, nullptr);
    // Pixel centres x in [2, 12), y in [2, 6).
    EXPECT_EQ(countPixels(0xFF404040u), 10 * 4);
    EXPECT_EQ(coveredBox().x0, 2);
    EXPECT_EQ(coveredBox().x1, 11);
    EXPECT_EQ(coveredBox().y0, 2);
    EXPECT_EQ(coveredBox().y1, 5);
}

}  // namespace
