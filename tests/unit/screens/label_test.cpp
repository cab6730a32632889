// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a button's label and its shadow are written, and what drawing a
// button leaves of the device's states.
#include <gtest/gtest.h>

#include "drawing/fonts.hpp"
#include "drawing/quad.hpp"
#include "platform/backends.hpp"
#include "screens/buttons.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "support/software_device.hpp"
#include "unit/screens/fixture.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

namespace {

class ButtonLabelTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        auto made = testsupport::makeSoftwareDevice(1024, 768);
        device = made.get();
        graphics.device = std::move(made);
        platformLayer.glyphs = createFreeTypeRasteriser();
        fonts.largeFont = std::make_unique<TextFont>("Times New Roman", 20, FontBold);
        ASSERT_EQ(fonts.largeFont->createGlyphAtlas(device), StatusOk);
        ASSERT_EQ(fonts.largeFont->createDeviceResources(), StatusOk);
        createQuadBuffer();
    }
    void TearDown() override {
        releaseQuadBuffer();
        fonts.largeFont.reset();
        graphics.device.reset();
        platformLayer.glyphs.reset();
        ScreenTest::TearDown();
    }

    struct TextDraw {
        std::vector<FontVertex> vertices;
    };
    // The text draws (pre-transformed vertices) since the last present.
    std::vector<TextDraw> textDraws() const {
        std::vector<TextDraw> out;
        for (const DrawRecord& d : device->drawLog())
            if (d.fvf == FvfScreenVertex && d.byteCount > 0)
                out.push_back({testsupport::verticesOf<FontVertex>(*device, d)});
        return out;
    }
    // The left edge of the first glyph cell of a text draw, in pixels.
    float cellLeft(const TextDraw& d) const { return d.vertices[1].x; }
    float cellTop(const TextDraw& d) const { return d.vertices[1].y; }
    float margin() const {
        const TextFont& f = *fonts.largeFont;
        const float line = (f.glyphRects[0].bottom - f.glyphRects[0].top) * f.atlasHeight;
        return f.spacing * 0.03f * static_cast<float>(settings.screenHeight) / line;
    }

    testsupport::TestSoftwareDevice* device = nullptr;
};

}  // namespace

TEST_F(ButtonLabelTest, ShadowThenLabelAtTheNormalisedPosition) {
    for (auto [w, h] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        useCamera(w, h);
        for (int i : {0, 5, 9}) {  // offsets 0.38, 0.03 and -0.02
            device->present();
            Button& b = button(i);
            drawButton(*game->world, b);
            const ScreenPoint p = projectToScreen(*b.position);
            const auto draws = textDraws();
            ASSERT_EQ(draws.size(), 2u) << w << " button " << i;
            EXPECT_EQ(draws[0].vertices[0].colour, 0xFF000000u);
            EXPECT_EQ(draws[1].vertices[0].colour, 0xFFFAFAFAu);
            for (const auto& v : draws[1].vertices) EXPECT_FLOAT_EQ(v.z, 0.9f);
            // Normalised (tx, ty) back in pixels: the label starts labelOffset
            // half-widths right of the left piece's centre, its line 1 % of
            // the screen height above it.
            const float x = p.x + b.labelOffset * static_cast<float>(w) / 2.0f - margin() - 0.5f;
            const float y = p.y - 0.01f * static_cast<float>(h) - 0.5f;
            EXPECT_NEAR(cellLeft(draws[1]), x, 0.05f) << w << " button " << i;
            EXPECT_NEAR(cellTop(draws[1]), y, 0.05f) << w << " button " << i;
            // The shadow lies 0.001 of the width right and 0.001 of the height lower.
            EXPECT_NEAR(cellLeft(draws[0]) - cellLeft(draws[1]), 0.001f * static_cast<float>(w),
                        0.01f);
            EXPECT_NEAR(cellTop(draws[0]) - cellTop(draws[1]), 0.001f * static_cast<float>(h),
                        0.01f);
            // A line of the label is 2 % of the screen height.
            EXPECT_NEAR(draws[1].vertices[0].y - draws[1].vertices[1].y,
                        0.02f * static_cast<float>(h), 0.01f);
        }
    }
}

TEST_F(ButtonLabelTest, TheLabelsLettersAreDrawnAndUmlautsLeftOut) {
    Button plain(0.0f, 0.0f, 6, 0.0f, "Spiel starten");
    drawButton(*game->world, plain);
    auto draws = textDraws();
    ASSERT_EQ(draws.size(), 2u);
    size_t glyphs = 0;
    for (const auto& d : draws) glyphs += d.vertices.size() / 6;
    EXPECT_EQ(glyphs, 2u * 12u);  // twelve letters, the blank only advances

    device->present();
    Button umlaut(0.0f, 0.0f, 6, 0.0f,
                  "Gr\xC3\xBC\xC3\x9F"
                  "e");
    drawButton(*game->world, umlaut);
    draws = textDraws();
    glyphs = 0;
    for (const auto& d : draws) glyphs += d.vertices.size() / 6;
    EXPECT_EQ(glyphs, 2u * 3u);
}

TEST_F(ButtonLabelTest, TextureAddressingIsWrapAgainAfterAButton) {
    device->setSamplerState(0, SamplerState::AddressU, AddressWrap);
    device->setSamplerState(0, SamplerState::AddressV, AddressWrap);
    drawButton(*game->world, button(8));
    EXPECT_EQ(device->getSamplerState(0, SamplerState::AddressU), AddressWrap);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::AddressV), AddressWrap);
    // The pieces themselves are drawn clamped.
    for (const DrawRecord& d : device->drawLog())
        if (d.fvf == FvfQuadVertex) {
            EXPECT_EQ(d.samplerState(SamplerState::AddressU), AddressClamp);
            EXPECT_EQ(d.samplerState(SamplerState::AddressV), AddressClamp);
        }
}

TEST_F(ButtonLabelTest, WithoutAFontOnlyThePiecesAreDrawn) {
    fonts.largeFont.reset();
    drawButton(*game->world, button(5));
    EXPECT_TRUE(textDraws().empty());
    size_t pieces = 0;
    for (const DrawRecord& d : device->drawLog()) pieces += d.fvf == FvfQuadVertex;
    EXPECT_EQ(pieces, 6u);
}
