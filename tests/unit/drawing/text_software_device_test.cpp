// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text on the software device: the pixels it leaves, the draw calls the
// device logs, and the caller's states after drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "drawing/text_font.hpp"
#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "services/settings.hpp"
#include "support/software_device.hpp"

using namespace tiefschacht;

namespace {

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool empty() const { return x1 < 0; }
    int width() const { return x1 - x0 + 1; }
    int height() const { return y1 - y0 + 1; }
};

class TextOnSoftwareDevice : public ::testing::Test {
protected:
    void SetUp() override {
        settings = Settings{};
        settings.screenWidth = 800;
        settings.screenHeight = 600;
        platformLayer.glyphs = createFreeTypeRasteriser();
        makeDevice(4096);
    }
    void TearDown() override {
        font.reset();
        device.reset();
        platformLayer = PlatformLayer{};
        settings = Settings{};
    }

    void makeDevice(uint32_t maxTextureWidth) {
        font.reset();
        SoftwareDeviceOptions options;
        options.maxTextureSide = maxTextureWidth;
        device = testsupport::makeSoftwareDevice(800, 600, options);
        font = std::make_unique<TextFont>("Times New Roman", 20, FontBold);
        ASSERT_EQ(font->createGlyphAtlas(device.get()), StatusOk) << font->error;
        ASSERT_EQ(font->createDeviceResources(), StatusOk);
        device->clear(0xFF000000u, 1.0f);
    }

    Box coveredBox() const {
        Box b;
        const uint32_t* px = device->backBuffer();
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (px[y * 800 + x] != 0xFF000000u) {
                    b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
                    b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
                }
        return b;
    }

    std::unique_ptr<testsupport::TestSoftwareDevice> device;
    std::unique_ptr<TextFont> font;
};

TEST_F(TextOnSoftwareDevice, TextIsDrawnWhereAndAsLargeAsAsked) {
    device->beginScene();
    ASSERT_EQ(
        font->drawText(-0.5f, -0.5f, 0.9f, 0.05f, 0.05f, 0xFFFF0000u, "Tiefschacht", TextFiltered),
        StatusOk);
    device->endScene();
    const Box box = coveredBox();
    ASSERT_FALSE(box.empty());
    // The line starts at (200, 150) and is 0.05 x 600 = 30 pixels tall; the
    // ink sits inside it, the capital T right at its left.
    EXPECT_GE(box.x0, 199);
    EXPECT_LE(box.x0, 206);
    EXPECT_GE(box.y0, 150);
    EXPECT_LE(box.y1, 180);
    EXPECT_GT(box.height(), 15);
    EXPECT_GT(box.width(), 100);
    // Red text blended onto black: no green or blue anywhere.
    const uint32_t* px = device->backBuffer();
    int red = 0;
    for (int i = 0; i < 800 * 600; ++i) {
        ASSERT_EQ(px[i] & 0x0000FFFFu, 0u);
        red += (px[i] >> 16 & 0xFF) > 0x80;
    }
    EXPECT_GT(red, 200);
}

TEST_F(TextOnSoftwareDevice, DrawCallsAndTheCallerStatesAfterThem) {
    std::unique_ptr<Texture> other;
    ASSERT_EQ(device->createTexture(8, 8, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, other),
              StatusOk);
    device->setTexture(0, other.get());
    device->setRenderState(RenderState::ZEnable, ZBufferTrue);
    device->setRenderState(RenderState::AlphaBlendEnable, 1);
    device->setRenderState(RenderState::SrcBlend, BlendOne);
    device->setRenderState(RenderState::DestBlend, BlendOne);
    device->setRenderState(RenderState::AlphaTestEnable, 0);
    device->setRenderState(RenderState::CullMode, CullCW);
    device->setSamplerState(0, SamplerState::MinFilter, FilterLinear);
    device->setSamplerState(0, SamplerState::MagFilter, FilterLinear);
    device->setTextureStageState(1, TextureStageState::ColorOp, TopModulate);

    auto states = [&] {
        std::vector<uint32_t> all;
        for (int s = 0; s < static_cast<int>(RenderState::Count); ++s)
            all.push_back(device->getRenderState(static_cast<RenderState>(s)));
        for (int s = 0; s < static_cast<int>(SamplerState::Count); ++s)
            all.push_back(device->getSamplerState(0, static_cast<SamplerState>(s)));
        for (int stage = 0; stage < TextureStageCount; ++stage)
            for (int s = 0; s < static_cast<int>(TextureStageState::Count); ++s)
                all.push_back(
                    device->getTextureStageState(stage, static_cast<TextureStageState>(s)));
        return all;
    };
    const auto before = states();

    // 51 visible characters: the device logs two lists of 100 and 2 triangles.
    device->present();
    ASSERT_EQ(font->drawText(-1.0f, 0.0f, 0.9f, 0.01f, 0.02f, 0xFFFFFFFFu,
                             std::string(51, 'x').c_str(), TextFiltered),
              StatusOk);
    const auto& log = device->drawLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].primitiveCount, 100u);
    EXPECT_EQ(log[1].primitiveCount, 2u);
    for (const DrawRecord& r : log) {
        EXPECT_EQ(r.type, PrimitiveType::TriangleList);
        EXPECT_EQ(r.fvf, FvfScreenVertex);
        EXPECT_EQ(r.texture(), font->atlas.get());
        EXPECT_EQ(r.renderState(RenderState::SrcBlend), BlendSrcAlpha);
        EXPECT_EQ(r.samplerState(SamplerState::MagFilter), FilterLinear);
    }
    EXPECT_EQ(states(), before);
    EXPECT_EQ(device->getTexture(0), other.get());

    for (uint32_t flags : {0u, TextFiltered, TextFiltered | TextCentreX | TextCentreY}) {
        ASSERT_EQ(
            font->drawText(-0.2f, 0.3f, 0.9f, 0.03f, 0.03f, 0xFFFFFFFFu, "Punkte:  120\nOK", flags),
            StatusOk);
        EXPECT_EQ(states(), before);
        EXPECT_EQ(device->getTexture(0), other.get());
    }
}

TEST_F(TextOnSoftwareDevice, SmallTextureLimitKeepsTheSizeOnScreen) {
    device->beginScene();
    ASSERT_EQ(
        font->drawText(-0.5f, 0.0f, 0.9f, 0.03f, 0.03f, 0xFFFFFFFFu, "Spiel starten", TextFiltered),
        StatusOk);
    const Box full = coveredBox();

    makeDevice(256);
    ASSERT_FLOAT_EQ(font->textScale, 0.5f);
    ASSERT_EQ(font->atlasWidth, 256u);
    ASSERT_EQ(
        font->drawText(-0.5f, 0.0f, 0.9f, 0.03f, 0.03f, 0xFFFFFFFFu, "Spiel starten", TextFiltered),
        StatusOk);
    const Box half = coveredBox();
    ASSERT_FALSE(full.empty());
    ASSERT_FALSE(half.empty());
    EXPECT_NEAR(half.x0, full.x0, 2);
    EXPECT_NEAR(half.y0, full.y0, 2);
    EXPECT_NEAR(half.width(), full.width(), full.width() / 12);
    EXPECT_NEAR(half.height(), full.height(), 3);
}

}  // namespace
