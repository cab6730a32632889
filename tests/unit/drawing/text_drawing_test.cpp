// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing strings: where the quads land, which characters draw or advance,
// the batches, and the states in force while drawing and after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/text_font.hpp"
#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "services/settings.hpp"
#include "support/stand_in_device.hpp"

using namespace tiefschacht;

namespace {

using testsupport::StandInDevice;

// One drawn character: its quad's corners as the two triangles give them.
struct Quad {
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};

class TextDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        settings = Settings{};
        settings.screenWidth = 800;
        settings.screenHeight = 600;
        platformLayer.glyphs = createFreeTypeRasteriser();
        font = std::make_unique<TextFont>("Arial", 10, FontBold);
        ASSERT_EQ(font->createGlyphAtlas(&device), StatusOk) << font->error;
        ASSERT_EQ(font->createDeviceResources(), StatusOk);
        device.draws.clear();
    }
    void TearDown() override {
        font.reset();
        platformLayer = PlatformLayer{};
        settings = Settings{};
    }

    Status draw(const char* text, float x = -1.0f, float y = -1.0f, uint32_t flags = TextFiltered,
                float xScale = 0.02f, float yScale = 0.02f) {
        return font->drawText(x, y, 0.9f, xScale, yScale, 0xFF10E020, text, flags);
    }

    std::vector<Quad> quads() const {
        std::vector<Quad> out;
        for (const auto& d : device.draws)
            for (size_t i = 0; i + 6 <= d.vertices.size(); i += 6) {
                const FontVertex* v = &d.vertices[i];
                out.push_back({v[1].x, v[1].y, v[3].x, v[0].y, v[1].u, v[1].v, v[3].u, v[0].v});
            }
        return out;
    }

    // The advance of a character in pixels at the default scales.
    float advance(unsigned char c, float xScale = 0.02f) const {
        const GlyphRect& r = font->glyphRects[c - 32];
        const float line =
            (font->glyphRects[0].bottom - font->glyphRects[0].top) * font->atlasHeight;
        return ((r.right - r.left) * font->atlasWidth - 2.0f * font->spacing) * xScale * 600.0f /
               line;
    }
    float margin(float xScale = 0.02f) const {
        const float line =
            (font->glyphRects[0].bottom - font->glyphRects[0].top) * font->atlasHeight;
        return font->spacing * xScale * 600.0f / line;
    }

    StandInDevice device;
    std::unique_ptr<TextFont> font;
};

TEST_F(TextDrawing, QuadsAreInScreenPixelsScaledByLineHeight) {
    ASSERT_EQ(draw("AB"), StatusOk);
    ASSERT_EQ(device.draws.size(), 1u);
    const auto& d = device.draws[0];
    EXPECT_EQ(d.record.type, PrimitiveType::TriangleList);
    EXPECT_EQ(d.record.primitiveCount, 4u);
    EXPECT_EQ(d.record.fvf, FvfScreenVertex);
    EXPECT_EQ(device.stride, 28u);
    EXPECT_EQ(device.badDraws, 0);
    for (const FontVertex& v : d.vertices) {
        EXPECT_FLOAT_EQ(v.z, 0.9f);
        EXPECT_FLOAT_EQ(v.rhw, 1.0f);
        EXPECT_EQ(v.colour, 0xFF10E020u);
    }
    const auto q = quads();
    ASSERT_EQ(q.size(), 2u);
    // The top-left corner of the screen, shifted by half a pixel; the cell's
    // margin lies left of the start, so the glyph itself begins at x = 0.
    EXPECT_FLOAT_EQ(q[0].x0, -margin() - 0.5f);
    EXPECT_FLOAT_EQ(q[0].y0, -0.5f);
    // A line is yScale x screen height tall whatever the typeface size.
    EXPECT_NEAR(q[0].y1 - q[0].y0, 0.02f * 600.0f, 1e-3f);
    EXPECT_NEAR(q[1].x0 - q[0].x0, advance('A'), 1e-3f);
    // Texture coordinates are the glyph's cell.
    const GlyphRect& a = font->glyphRects['A' - 32];
    EXPECT_FLOAT_EQ(q[0].u0, a.left);
    EXPECT_FLOAT_EQ(q[0].v0, a.top);
    EXPECT_FLOAT_EQ(q[0].u1, a.right);
    EXPECT_FLOAT_EQ(q[0].v1, a.bottom);

    // Normalised coordinates: (0, 0) is the screen's centre; xScale only
    // widens, yScale only heightens.
    device.draws.clear();
    ASSERT_EQ(draw("A", 0.0f, 0.0f, TextFiltered, 0.04f, 0.02f), StatusOk);
    const auto c = quads();
    ASSERT_EQ(c.size(), 1u);
    EXPECT_FLOAT_EQ(c[0].x0, 400.0f - margin(0.04f) - 0.5f);
    EXPECT_FLOAT_EQ(c[0].y0, 300.0f - 0.5f);
    EXPECT_NEAR(c[0].x1 - c[0].x0, 2.0f * (q[0].x1 - q[0].x0), 1e-3f);
    EXPECT_NEAR(c[0].y1 - c[0].y0, q[0].y1 - q[0].y0, 1e-3f);
}

TEST_F(TextDrawing, LineFeedReturnsToTheStartOneLineLower) {
    ASSERT_EQ(draw("AB\nC", -0.5f, -0.25f), StatusOk);
    const auto q = quads();
    ASSERT_EQ(q.size(), 3u);
    EXPECT_FLOAT_EQ(q[2].x0, q[0].x0);
    EXPECT_NEAR(q[2].y0 - q[0].y0, 0.02f * 600.0f, 1e-3f);
    // Two line feeds in a row leave an empty line.
    device.draws.clear();
    ASSERT_EQ(draw("A\n\nC", -0.5f, -0.25f), StatusOk);
    const auto two = quads();
    ASSERT_EQ(two.size(), 2u);
    EXPECT_NEAR(two[1].y0 - two[0].y0, 2.0f * 0.02f * 600.0f, 1e-3f);
}

TEST_F(TextDrawing, BlanksAdvanceWithoutQuadOtherCharactersAreSkipped) {
    ASSERT_EQ(draw("A B"), StatusOk);
    const auto spaced = quads();
    ASSERT_EQ(spaced.size(), 2u);
    EXPECT_NEAR(spaced[1].x0 - spaced[0].x0, advance('A') + advance(' '), 1e-3f);

    device.draws.clear();
    ASSERT_EQ(draw("AB"), StatusOk);
    const auto plain = quads();
    ASSERT_EQ(plain.size(), 2u);

    // Tabs, other control characters, 127 and Latin-1 letters such as an
    // umlaut (negative as a signed char) draw nothing and do not advance.
    for (const char* text : {"A\tB",
                             "A\x01\x1f"
                             "B",
                             "A\x7f"
                             "B",
                             "A\xe4"
                             "B",
                             "A\x80\xff"
                             "B"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        device.draws.clear();
        ASSERT_EQ(draw(text), StatusOk);
        const auto q = quads();
        ASSERT_EQ(q.size(), 2u);
        EXPECT_FLOAT_EQ(q[1].x0, plain[1].x0);
        EXPECT_FLOAT_EQ(q[1].u0, plain[1].u0);
    }
    // Only skipped characters: nothing to draw at all.
    device.draws.clear();
    ASSERT_EQ(draw("\xe4\xf6\xfc\t \x7f"), StatusOk);
    EXPECT_TRUE(device.draws.empty());
}

TEST_F(TextDrawing, EmptyAndNullTextDrawNothingAndLeaveTheStates) {
    const auto before = device.snapshot();
    EXPECT_EQ(draw(""), StatusOk);
    EXPECT_EQ(draw(nullptr), StatusOk);
    EXPECT_TRUE(device.draws.empty());
    EXPECT_EQ(device.snapshot(), before);
    EXPECT_FALSE(device.lastBuffer->locked);
}

TEST_F(TextDrawing, BatchesHoldAtMostOneHundredTriangles) {
    ASSERT_EQ(draw(std::string(51, 'W').c_str()), StatusOk);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].record.primitiveCount, 100u);
    EXPECT_EQ(device.draws[1].record.primitiveCount, 2u);
    EXPECT_EQ(device.badDraws, 0);
    // The 51st character continues where the 50th ended.
    const auto q = quads();
    ASSERT_EQ(q.size(), 51u);
    EXPECT_NEAR(q[50].x0 - q[49].x0, advance('W'), 1e-3f);

    // Exactly 50 characters: one full batch and no empty draw after it.
    device.draws.clear();
    ASSERT_EQ(draw(std::string(50, 'W').c_str()), StatusOk);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].record.primitiveCount, 100u);

    // A very long string with blanks and line feeds: many batches, each
    // refilled through a discarding lock, the buffer never overrun.
    std::string longText;
    for (int i = 0; i < 2000; ++i) longText += (i % 7 == 6) ? "\n" : "Ab c";
    device.draws.clear();
    const int locksBefore = device.lastBuffer->lockCount;
    ASSERT_EQ(draw(longText.c_str()), StatusOk);
    size_t triangles = 0;
    for (const auto& d : device.draws) {
        EXPECT_LE(d.record.primitiveCount, 100u);
        EXPECT_GT(d.record.primitiveCount, 0u);
        triangles += d.record.primitiveCount;
    }
    EXPECT_EQ(triangles, 2u * 3u * (2000u - 2000u / 7u));
    EXPECT_EQ(device.lastBuffer->lockCount - locksBefore, static_cast<int>(device.draws.size()));
    EXPECT_EQ(device.lastBuffer->discardLocks, device.lastBuffer->lockCount);
    EXPECT_FALSE(device.lastBuffer->locked);
    EXPECT_EQ(device.badDraws, 0);
}

TEST_F(TextDrawing, CentringUsesTheFirstLine) {
    ASSERT_EQ(draw("AB\nWWWWW", 0.3f, 0.1f, TextFiltered | TextCentreX), StatusOk);
    const auto q = quads();
    ASSERT_EQ(q.size(), 7u);
    // The visible part of "AB" (its cells without the outer margins) is
    // centred on the screen; the second line starts at the same x.
    const float left = q[0].x0 + margin() + 0.5f;
    const float right = q[1].x0 + margin() + advance('B') + 0.5f;
    EXPECT_NEAR(left + right, 800.0f, 1e-3f);
    EXPECT_FLOAT_EQ(q[2].x0, q[0].x0);
    EXPECT_FLOAT_EQ(q[0].y0, (0.1f + 1.0f) * 300.0f - 0.5f);  // y untouched

    // Vertical centring puts a line of the atlas's own height in the middle.
    device.draws.clear();
    ASSERT_EQ(draw("A", 0.3f, 0.7f, TextFiltered | TextCentreY), StatusOk);
    const float line = (font->glyphRects[0].bottom - font->glyphRects[0].top) * font->atlasHeight;
    EXPECT_NEAR(quads().at(0).y0, 300.0f - line / 2.0f - 0.5f, 1e-3f);
    EXPECT_FLOAT_EQ(quads().at(0).x0, (0.3f + 1.0f) * 400.0f - margin() - 0.5f);
}

TEST_F(TextDrawing, TextStatesWhileDrawingCallerStatesAfter) {
    // The caller's states: the game's own quad states, and some oddities.
    testsupport::StandInTexture other(4, 4, PixelFormat::A8R8G8B8, Pool::Managed, nullptr);
    device.setTexture(0, &other);
    device.setRenderState(RenderState::ZEnable, ZBufferTrue);
    device.setRenderState(RenderState::AlphaBlendEnable, 0);
    device.setRenderState(RenderState::SrcBlend, BlendOne);
    device.setRenderState(RenderState::DestBlend, BlendOne);
    device.setRenderState(RenderState::CullMode, CullCW);
    device.setRenderState(RenderState::AlphaRef, 0x80);
    device.setRenderState(RenderState::ColorWriteEnable, 0x7);
    device.setSamplerState(0, SamplerState::MinFilter, FilterLinear);
    device.setSamplerState(0, SamplerState::MagFilter, FilterNone);
    device.setSamplerState(0, SamplerState::MipFilter, FilterLinear);
    device.setTextureStageState(0, TextureStageState::ColorOp, TopSelectArg1);
    device.setTextureStageState(1, TextureStageState::ColorOp, TopModulate);
    const auto before = device.snapshot();

    ASSERT_EQ(draw("Hallo", -1, -1, TextFiltered), StatusOk);
    ASSERT_EQ(draw("Welt", -1, -1, 0), StatusOk);
    ASSERT_EQ(device.draws.size(), 2u);
    for (const auto& d : device.draws) {
        auto state = [&](RenderState s) { return d.record.renderState(s); };
        EXPECT_EQ(d.record.texture(), font->atlas.get());
        EXPECT_EQ(state(RenderState::ZEnable), ZBufferFalse);
        EXPECT_EQ(state(RenderState::AlphaBlendEnable), 1u);
        EXPECT_EQ(state(RenderState::SrcBlend), BlendSrcAlpha);
        EXPECT_EQ(state(RenderState::DestBlend), BlendInvSrcAlpha);
        EXPECT_EQ(state(RenderState::AlphaTestEnable), 1u);
        EXPECT_EQ(state(RenderState::AlphaRef), 8u);
        EXPECT_EQ(state(RenderState::AlphaFunc), CmpGreaterEqual);
        EXPECT_EQ(state(RenderState::CullMode), CullCCW);
        EXPECT_EQ(state(RenderState::ColorWriteEnable), ColorWriteAll);
        EXPECT_EQ(d.record.samplerState(SamplerState::MipFilter), FilterNone);
    }
    // Filtered text is sampled linearly, unfiltered text by nearest texel.
    const auto filter = [&](size_t i, SamplerState s) {
        return device.draws[i].record.samplerState(s);
    };
    EXPECT_EQ(filter(0, SamplerState::MinFilter), FilterLinear);
    EXPECT_EQ(filter(0, SamplerState::MagFilter), FilterLinear);
    EXPECT_EQ(filter(1, SamplerState::MinFilter), FilterPoint);
    EXPECT_EQ(filter(1, SamplerState::MagFilter), FilterPoint);

    // Everything the text changed is back as the caller had it.
    EXPECT_EQ(device.snapshot(), before);
}

TEST_F(TextDrawing, DepthTestFlagKeepsTheDepthTestOn) {
    TextFont deep("Arial", 10, FontBold | FontDepthTest);
    ASSERT_EQ(deep.createGlyphAtlas(&device), StatusOk);
    ASSERT_EQ(deep.createDeviceResources(), StatusOk);
    device.setRenderState(RenderState::ZEnable, ZBufferFalse);
    ASSERT_EQ(deep.drawText(-1, -1, 0.9f, 0.02f, 0.02f, 0xFFFFFFFF, "Z", TextFiltered), StatusOk);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].record.renderState(RenderState::ZEnable), ZBufferTrue);
    EXPECT_EQ(device.getRenderState(RenderState::ZEnable), ZBufferFalse);
}

TEST_F(TextDrawing, DeviceResourcesAndTheirFailure) {
    const auto* vb = device.lastBuffer;
    ASSERT_NE(vb, nullptr);
    EXPECT_EQ(vb->size(), 9600u);
    EXPECT_EQ(vb->usage, UsageWriteOnly | UsageDynamic);
    EXPECT_EQ(vb->pool, Pool::Default);

    // A refused vertex buffer: the device's code, and the font draws nothing.
    device.failVertexBuffers = true;
    EXPECT_EQ(font->createDeviceResources(), StatusOutOfMemory);
    EXPECT_EQ(font->vertexBuffer, nullptr);
    EXPECT_EQ(draw("A"), StatusFail);
    EXPECT_TRUE(device.draws.empty());

    // No screen size yet: nothing is placed, nothing divided by zero.
    device.failVertexBuffers = false;
    ASSERT_EQ(font->createDeviceResources(), StatusOk);
    settings.screenHeight = 0;
    EXPECT_EQ(draw("A", 0, 0, TextCentreX | TextCentreY), StatusFail);
    EXPECT_TRUE(device.draws.empty());

    // A font whose atlas was never made has no device to draw with.
    TextFont bare("Arial", 10, FontBold);
    EXPECT_EQ(bare.createDeviceResources(), StatusFail);
    EXPECT_EQ(bare.drawText(-1, -1, 0.9f, 0.02f, 0.02f, 0xFFFFFFFF, "A", 0), StatusFail);
}

}  // namespace
