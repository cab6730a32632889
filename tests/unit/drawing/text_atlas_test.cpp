// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph atlas: its size, the pixel height the typeface is rendered at,
// the layout of the cells, the texels, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/text_font.hpp"
#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "support/stand_in_device.hpp"

using namespace tiefschacht;

namespace {

using testsupport::StandInDevice;

class TextAtlas : public ::testing::Test {
protected:
    void SetUp() override { platformLayer.glyphs = createFreeTypeRasteriser(); }
    void TearDown() override { platformLayer = PlatformLayer{}; }
    StandInDevice device;
};

TEST(TextFontConstruction, CopiesAtMost79CharactersAndNeedsNoDevice) {
    const std::string longName(120, 'x');
    TextFont font(longName.c_str(), 20, FontBold | FontItalic);
    EXPECT_EQ(std::string(font.faceName.data()), std::string(79, 'x'));
    EXPECT_EQ(font.height, 20u);
    EXPECT_EQ(font.flags, FontBold | FontItalic);
    EXPECT_EQ(font.spacing, 0u);
    EXPECT_EQ(font.device, nullptr);
    EXPECT_EQ(font.atlas, nullptr);
    EXPECT_EQ(font.vertexBuffer, nullptr);
    EXPECT_EQ(font.savedState, nullptr);

    TextFont unnamed(nullptr, 10, 0);
    EXPECT_EQ(unnamed.faceName[0], '\0');
}

TEST(TextFontSizes, AtlasSideAndPixelHeight) {
    EXPECT_EQ(atlasSizeForHeight(10), 256u);
    EXPECT_EQ(atlasSizeForHeight(15), 256u);
    EXPECT_EQ(atlasSizeForHeight(16), 512u);
    EXPECT_EQ(atlasSizeForHeight(20), 512u);
    EXPECT_EQ(atlasSizeForHeight(30), 512u);
    EXPECT_EQ(atlasSizeForHeight(31), 1024u);
    EXPECT_EQ(atlasSizeForHeight(61), 2048u);
    EXPECT_EQ(atlasSizeForHeight(0xFFFFFFFFu), 2048u);  // compared unsigned

    EXPECT_EQ(fontPixelHeight(20, 96, 1.0f), 27);  // 26.67 rounds up
    EXPECT_EQ(fontPixelHeight(10, 96, 1.0f), 13);  // 13.33 rounds down
    EXPECT_EQ(fontPixelHeight(20, 96, 0.5f), 13);  // 48 dots per inch
    EXPECT_EQ(fontPixelHeight(3, 96, 1.0f), 4);    // exactly 4
    EXPECT_EQ(fontPixelHeight(6, 90, 1.0f), 8);    // 7.5: halves round up
    EXPECT_EQ(fontPixelHeight(20, 96, 0.3f), 8);   // 28.8 dots are cut to 28 first
    // Sizes no atlas could hold stay bounded instead of overflowing.
    EXPECT_GE(fontPixelHeight(0, 96, 1.0f), 1);
    EXPECT_LE(fontPixelHeight(0xFFFFFFFFu, 96, 1.0f), 2048);
}

// The invariants of the layout, for both game fonts.
TEST_F(TextAtlas, CellsTouchWithoutOverlapRowsAreOneTexelApart) {
    for (auto [name, points, side] :
         {std::tuple{"Times New Roman", 20u, 512u}, std::tuple{"Arial", 10u, 256u}}) {
        SCOPED_TRACE(name);
        TextFont font(name, points, FontBold);
        ASSERT_EQ(font.createGlyphAtlas(&device), StatusOk) << font.error;
        EXPECT_EQ(font.atlasWidth, side);
        EXPECT_EQ(font.atlasHeight, side);
        EXPECT_FLOAT_EQ(font.textScale, 1.0f);
        EXPECT_EQ(font.device, &device);
        ASSERT_NE(font.atlas, nullptr);
        // The margin is 0.3 of the cell height, rounded up.
        const float cellTexels = (font.glyphRects[0].bottom - font.glyphRects[0].top) * side;
        EXPECT_EQ(font.spacing, static_cast<uint32_t>(std::ceil(0.3 * std::round(cellTexels))));

        const float s = static_cast<float>(side);
        const float margin = static_cast<float>(font.spacing);
        int rows = 1;
        for (int c = 32; c <= 126; ++c) {
            SCOPED_TRACE(c);
            const GlyphRect& r = font.glyphRects[c - 32];
            // Non-empty, inside the atlas, wide enough for both margins.
            EXPECT_GE(r.left, 0.0f);
            EXPECT_LE(r.right, 1.0f);
            EXPECT_GE(r.top, 0.0f);
            EXPECT_LE(r.bottom, 1.0f);
            EXPECT_GT((r.right - r.left) * s, 2.0f * margin);
            EXPECT_FLOAT_EQ((r.bottom - r.top) * s, cellTexels);
            if (c == 32) {
                EXPECT_FLOAT_EQ(r.left, 0.0f);
                EXPECT_FLOAT_EQ(r.top, 0.0f);
                continue;
            }
            const GlyphRect& prev = font.glyphRects[c - 33];
            if (r.top == prev.top) {
                EXPECT_FLOAT_EQ(r.left, prev.right);  // touching, not overlapping
            } else {
                ++rows;
                EXPECT_FLOAT_EQ(r.left, 0.0f);
                EXPECT_FLOAT_EQ(r.top * s, prev.bottom * s + 1.0f);  // one texel gap
                // The row was full: this cell would not have fitted after the last.
                EXPECT_GT(prev.right * s + (r.right - r.left) * s, s);
            }
        }
        EXPECT_GT(rows, 1);
        const GlyphRect& none = font.glyphRects[127 - 32];
        EXPECT_EQ(none.left, 0.0f);
        EXPECT_EQ(none.right, 0.0f);
        EXPECT_EQ(none.bottom, 0.0f);
    }
}

TEST_F(TextAtlas, TextureRequestAndTexelsCarryCoverageAsAlpha) {
    TextFont font("Arial", 10, FontBold);
    ASSERT_EQ(font.createGlyphAtlas(&device), StatusOk) << font.error;
    ASSERT_EQ(device.textureRequests.size(), 1u);
    const auto& req = device.textureRequests[0];
    EXPECT_EQ(req.width, 256u);
    EXPECT_EQ(req.height, 256u);
    EXPECT_EQ(req.levels, 1u);
    EXPECT_EQ(req.usage, 0u);
    EXPECT_EQ(req.format, PixelFormat::A4R4G4B4);
    EXPECT_EQ(req.pool, Pool::Managed);

    const testsupport::StandInTexture& tex = *device.lastTexture;
    EXPECT_FALSE(tex.locked);
    int opaque = 0, partial = 0;
    for (uint32_t y = 0; y < 256; ++y)
        for (uint32_t x = 0; x < 256; ++x) {
            const uint16_t t = tex.texel(x, y);
            if (t == 0) continue;
            // White with a non-zero 4-bit alpha: nothing else is written.
            ASSERT_EQ(t & 0x0FFF, 0x0FFF) << x << "," << y;
            ASSERT_NE(t >> 12, 0);
            (t >> 12) == 15 ? ++opaque : ++partial;
        }
    EXPECT_GT(opaque, 100);
    EXPECT_GT(partial, 100);

    // Ink lies inside the cell of its character: the blank's cell stays
    // clear, the 'H' cell holds some.
    auto inkIn = [&](const GlyphRect& r) {
        int ink = 0;
        for (uint32_t y = static_cast<uint32_t>(r.top * 256); y < r.bottom * 256; ++y)
            for (uint32_t x = static_cast<uint32_t>(r.left * 256); x < r.right * 256; ++x)
                ink += tex.texel(x, y) != 0;
        return ink;
    };
    EXPECT_EQ(inkIn(font.glyphRects[0]), 0);
    EXPECT_GT(inkIn(font.glyphRects['H' - 32]), 20);
}

TEST_F(TextAtlas, SmallDeviceShrinksTheAtlasAndTheRasterHeight) {
    device.maxTextureSide = 256;
    TextFont font("Times New Roman", 20, FontBold);
    ASSERT_EQ(font.createGlyphAtlas(&device), StatusOk) << font.error;
    EXPECT_EQ(font.atlasWidth, 256u);
    EXPECT_EQ(font.atlasHeight, 256u);
    EXPECT_FLOAT_EQ(font.textScale, 0.5f);
    EXPECT_EQ(device.textureRequests.at(0).width, 256u);

    // Rendered at 13 instead of 27 pixels: the cell is about half as tall.
    StandInDevice big;
    TextFont full("Times New Roman", 20, FontBold);
    ASSERT_EQ(full.createGlyphAtlas(&big), StatusOk);
    const float smallCell = (font.glyphRects[0].bottom - font.glyphRects[0].top) * 256.0f;
    const float fullCell = (full.glyphRects[0].bottom - full.glyphRects[0].top) * 512.0f;
    EXPECT_NEAR(smallCell / fullCell, 0.5f, 0.05f);
    for (int c = 32; c <= 126; ++c) EXPECT_LE(font.glyphRects[c - 32].bottom, 1.0f);
}

TEST_F(TextAtlas, FailuresLeaveNoHalfMadeFont) {
    // No such typeface: E_FAIL, an error naming it, and nothing kept.
    {
        TextFont font("Keine Solche Schrift", 20, FontBold);
        EXPECT_EQ(font.createGlyphAtlas(&device), StatusFail);
        EXPECT_NE(font.error.find("Keine Solche Schrift"), std::string::npos) << font.error;
        EXPECT_EQ(font.device, nullptr);
        EXPECT_EQ(font.atlas, nullptr);
        EXPECT_EQ(font.spacing, 0u);
        EXPECT_EQ(font.createDeviceResources(), StatusFail);
        EXPECT_EQ(font.drawText(-1, -1, 0.9f, 0.03f, 0.03f, 0xFFFFFFFF, "Hallo", TextFiltered),
                  StatusFail);
    }
    // The device refuses the texture: its own code comes back.
    {
        device.failTextures = true;
        TextFont font("Arial", 10, FontBold);
        EXPECT_EQ(font.createGlyphAtlas(&device), StatusOutOfMemory);
        EXPECT_EQ(font.device, nullptr);
        EXPECT_EQ(font.atlas, nullptr);
        device.failTextures = false;
    }
    // A device that offers no texture size at all.
    {
        device.maxTextureSide = 0;
        TextFont font("Arial", 10, FontBold);
        EXPECT_LT(font.createGlyphAtlas(&device), 0);
        EXPECT_EQ(font.atlas, nullptr);
        device.maxTextureSide = 4096;
    }
    // No rasteriser, no device.
    {
        platformLayer.glyphs.reset();
        TextFont font("Arial", 10, FontBold);
        EXPECT_EQ(font.createGlyphAtlas(&device), StatusFail);
        EXPECT_EQ(font.atlas, nullptr);
        EXPECT_EQ(font.createGlyphAtlas(nullptr), StatusFail);
    }
}

TEST_F(TextAtlas, ReleaseForgetsTheDeviceAndCanBeRepeated) {
    TextFont font("Arial", 10, FontBold);
    ASSERT_EQ(font.createGlyphAtlas(&device), StatusOk);
    ASSERT_EQ(font.createDeviceResources(), StatusOk);
    font.releaseAtlas();
    EXPECT_EQ(font.atlas, nullptr);
    EXPECT_EQ(font.device, nullptr);
    EXPECT_EQ(font.drawText(0, 0, 0.9f, 0.03f, 0.03f, 0xFFFFFFFF, "A", 0), StatusFail);
    font.releaseAtlas();
    font.releaseDeviceResources();
    font.releaseDeviceResources();
    EXPECT_EQ(font.vertexBuffer, nullptr);
    EXPECT_EQ(font.drawState, nullptr);
}

}  // namespace
