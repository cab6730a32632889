// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rectangle fast path against the general rasteriser: random-ish quads
// and text-like triangle lists, drawn both ways over the same background,
// must give the same pixels within a small tolerance, and the fast path must
// really be taken for them. Every test runs twice: with the widest vector
// loops this processor has and with the SSE2 loops alone.
#include <array>
#include <cstdlib>
#include <random>

#include "unit/platform/device_fixture.hpp"

using namespace tiefschacht;

namespace {

class FastPathDraws : public DeviceTest {
protected:
    static constexpr int FW = 320;
    static constexpr int FH = 240;

    void SetUp() override { makeDevice(FW, FH); }

    testsupport::TestSoftwareDevice& soft() { return *device; }
    // The span loops to draw with.
    void useLoops(swr::SpanLoops loops) { device->options().spanLoops = loops; }

    void fillBackground(std::mt19937& rng) {
        background.resize(static_cast<size_t>(FW) * FH);
        for (auto& p : background) p = rng();
    }

    // Draws once as `reference` sets the device up and once as `candidate`
    // does, over the same background; returns the largest per-channel
    // difference.
    template <typename Draw, typename Reference, typename Candidate>
    int compareDraws(Draw&& draw, Reference&& reference, Candidate&& candidate,
                     int* differing = nullptr) {
        auto restore = [&] {
            std::copy(background.begin(), background.end(), soft().mutableBackBuffer());
        };
        restore();
        reference();
        draw();
        std::vector<uint32_t> expected(device->backBuffer(), device->backBuffer() + FW * FH);
        restore();
        candidate();
        draw();
        int worst = 0, count = 0;
        for (int i = 0; i < FW * FH; ++i) {
            int d = 0;
            for (int s = 0; s < 32; s += 8)
                d = std::max(
                    d, std::abs(channelOf(expected[i], s) - channelOf(device->backBuffer()[i], s)));
            worst = std::max(worst, d);
            count += d > 0;
        }
        if (differing != nullptr) *differing = count;
        return worst;
    }

    // The general path against the fast path.
    template <typename Draw>
    int compareBothPaths(Draw&& draw, int* differing = nullptr) {
        return compareDraws(
            draw, [&] { device->options().generalPathOnly = true; },
            [&] { device->options().generalPathOnly = false; }, differing);
    }

    // The pictures of the grids: five with any alpha, three opaque.
    std::vector<std::unique_ptr<Texture>> gridTextures(std::mt19937& rng) {
        std::vector<std::unique_ptr<Texture>> textures;
        for (int i = 0; i < 8; ++i) textures.push_back(randomTexture(rng, i >= 5));
        return textures;
    }

    // What each of a grid's 7 x 6 cells draws (see drawGrid).
    static std::vector<uint32_t> gridChoices(std::mt19937& rng) {
        std::vector<uint32_t> choices;
        for (int cell = 0; cell < 7 * 6; ++cell) choices.push_back(rng());
        return choices;
    }

    // A grid of squares drawn column by column, as the tile grid is, with
    // filters, addressing and overlays chosen by `choices`.
    void drawGrid(VertexBuffer* quad, const std::vector<std::unique_ptr<Texture>>& textures,
                  const std::vector<uint32_t>& choices, float offsetX, float offsetY,
                  float z = 40.0f) {
        for (int i = 0; i < 7; ++i) {
            for (int j = 0; j < 6; ++j) {
                uint32_t c = choices[static_cast<size_t>(i * 6 + j)];
                uint32_t filter = (c >> 8) % 4 == 0 ? FilterPoint : FilterLinear;
                device->setSamplerState(0, SamplerState::MinFilter, filter);
                device->setSamplerState(0, SamplerState::MagFilter, filter);
                device->setSamplerState(0, SamplerState::AddressU,
                                        (c >> 12) % 5 == 0 ? AddressWrap : AddressClamp);
                device->setSamplerState(0, SamplerState::AddressV,
                                        (c >> 16) % 5 == 0 ? AddressWrap : AddressClamp);
                float x = offsetX - 7.0f + 2.0f * static_cast<float>(i);
                float y = offsetY - 6.0f + 2.0f * static_cast<float>(j);
                Texture* tex = textures[c % textures.size()].get();
                drawQuadAt(quad, tex, x, y, z);
                if ((c >> 20) % 3 == 0)
                    drawQuadAt(quad, textures[(c >> 4) % textures.size()].get(), x, y, z, true);
            }
        }
    }

    // With `opaque`, every texel has alpha 255, which lets the fast path
    // skip reading the target when it blends.
    std::unique_ptr<Texture> randomTexture(std::mt19937& rng, bool opaque = false) {
        static constexpr int sizes[] = {1, 2, 3, 8, 16, 32, 64};
        int w = sizes[rng() % 7], h = sizes[rng() % 7];
        std::vector<uint32_t> texels(static_cast<size_t>(w) * h);
        for (auto& t : texels) {
            t = rng();
            if (opaque) {
                t |= 0xFF000000u;
                continue;
            }
            switch (rng() % 4) {
            case 0: t &= 0x00FFFFFFu; break;  // transparent
            case 1: t |= 0xFF000000u; break;  // opaque
            case 2: t = 0x00000000u; break;   // colour key
            default: break;                   // anything
            }
        }
        return makeTexture(w, h, texels);
    }

    void randomStates(std::mt19937& rng) {
        auto pick = [&](std::initializer_list<uint32_t> v) {
            return *(v.begin() + rng() % v.size());
        };
        device->setSamplerState(0, SamplerState::AddressU, pick({AddressClamp, AddressWrap}));
        device->setSamplerState(0, SamplerState::AddressV, pick({AddressClamp, AddressWrap}));
        uint32_t filter = pick({FilterPoint, FilterLinear});
        device->setSamplerState(0, SamplerState::MinFilter, filter);
        device->setSamplerState(0, SamplerState::MagFilter, filter);
        device->setRenderState(RenderState::AlphaBlendEnable, rng() % 5 != 0);
        const std::pair<uint32_t, uint32_t> blends[] = {{BlendSrcAlpha, BlendInvSrcAlpha},
                                                        {BlendOne, BlendOne},
                                                        {BlendOne, BlendZero},
                                                        {BlendSrcAlpha, BlendOne},
                                                        {BlendZero, BlendInvSrcAlpha}};
        auto [src, dst] = blends[rng() % 5];
        device->setRenderState(RenderState::SrcBlend, src);
        device->setRenderState(RenderState::DestBlend, dst);
        device->setRenderState(RenderState::AlphaTestEnable, rng() % 3 == 0);
        device->setRenderState(RenderState::AlphaFunc, 1 + rng() % 8);
        device->setRenderState(RenderState::AlphaRef, rng() % 256);
        device->setTextureStageState(
            0, TextureStageState::ColorOp,
            pick({TopModulate, TopModulate, TopSelectArg1, TopSelectArg2, TopDisable}));
        device->setTextureStageState(0, TextureStageState::AlphaOp,
                                     pick({TopSelectArg1, TopModulate, TopSelectArg2}));
        device->setTextureStageState(0, TextureStageState::ColorArg1, pick({TaTexture, TaDiffuse}));
        device->setTextureStageState(0, TextureStageState::AlphaArg2, pick({TaCurrent, TaTexture}));
    }

    std::vector<uint32_t> background;
};

// The fast path with the widest vector loops (false) or the SSE2 loops (true).
class FastPath : public FastPathDraws, public ::testing::WithParamInterface<swr::SpanLoops> {
protected:
    void SetUp() override {
        FastPathDraws::SetUp();
        useLoops(GetParam());
    }
};

TEST_P(FastPath, GameQuadsMatchTheGeneralPath) {
    std::mt19937 rng(1234);
    int drawnByFastPath = 0;
    for (int round = 0; round < 150; ++round) {
        fillBackground(rng);
        auto tex = rng() % 8 == 0 ? nullptr : randomTexture(rng, rng() % 4 == 0);
        randomStates(rng);
        std::uniform_real_distribution<float> pos(-26.0f, 26.0f), uv(-1.5f, 2.5f);
        const float depths[] = {40.0f, 60.0f, 1.809f, 7.3f, 123.0f};
        float z = depths[rng() % 5];
        float x = pos(rng) * z / 40.0f, y = pos(rng) * z / 50.0f;
        float u0 = uv(rng), u1 = uv(rng), v0 = uv(rng), v1 = uv(rng);
        uint32_t colour = rng() % 3 == 0 ? 0xFFFFFFFFu : static_cast<uint32_t>(rng());
        std::vector<QuadVertex> q = {{-1, 1, 0, colour, u0, v0},
                                     {-1, -1, 0, colour, u0, v1},
                                     {1, 1, 0, colour, u1, v0},
                                     {1, -1, 0, colour, u1, v1}};
        auto vb = makeBuffer(q);
        int before = soft().fastRectCount();
        int worst = compareBothPaths([&] {
            translate(x, y, z);
            device->setRenderState(RenderState::Lighting, 0);
            device->setRenderState(RenderState::ZEnable, 0);
            device->setRenderState(RenderState::CullMode, CullCW);
            device->setTexture(0, tex.get());
            device->setStreamSource(0, vb.get(), 0, 24);
            device->setFvf(FvfQuadVertex);
            device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
        });
        drawnByFastPath += soft().fastRectCount() > before;
        EXPECT_LE(worst, 2) << "round " << round;
    }
    EXPECT_GT(drawnByFastPath, 140);
}

// A grid drawn column by column, as the tile grid is: neighbouring squares
// share their columns or rows, which the fast path keeps between draws, while
// texture sizes, filters and addressing change from square to square.
TEST_P(FastPath, GridsOfMixedSquaresMatchTheGeneralPath) {
    std::mt19937 rng(4321);
    const auto textures = gridTextures(rng);
    auto quad = makeBuffer(unitQuad());
    for (int round = 0; round < 8; ++round) {
        fillBackground(rng);
        const float offsetX = std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
        const float offsetY = std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
        const std::vector<uint32_t> choices = gridChoices(rng);
        int before = soft().fastRectCount();
        int worst =
            compareBothPaths([&] { drawGrid(quad.get(), textures, choices, offsetX, offsetY); });
        EXPECT_GE(soft().fastRectCount() - before, 42) << "round " << round;
        EXPECT_LE(worst, 2) << "round " << round;
    }
}

TEST_P(FastPath, TextListsMatchTheGeneralPath) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        fillBackground(rng);
        auto tex = randomTexture(rng);
        randomStates(rng);
        // Glyph-like rectangles shifted by half a pixel, as the text code writes them.
        std::vector<ScreenVertexData> verts;
        std::uniform_real_distribution<float> px(-20.0f, FW + 20.0f), py(-20.0f, FH + 20.0f),
            size(0.3f, 40.0f), uv(0.0f, 1.0f);
        uint32_t colour = static_cast<uint32_t>(rng()) | 0x80000000u;
        for (int g = 0; g < 20; ++g) {
            float x0 = std::floor(px(rng)) - 0.5f, y0 = std::floor(py(rng)) - 0.5f;
            float x1 = x0 + size(rng), y1 = y0 + size(rng);
            float l = uv(rng), t = uv(rng), r = uv(rng), b = uv(rng);
            std::vector<ScreenVertexData> glyph = {
                {x0, y1, 0.9f, 1, colour, l, b}, {x0, y0, 0.9f, 1, colour, l, t},
                {x1, y1, 0.9f, 1, colour, r, b}, {x1, y0, 0.9f, 1, colour, r, t},
                {x1, y1, 0.9f, 1, colour, r, b}, {x0, y0, 0.9f, 1, colour, l, t}};
            verts.insert(verts.end(), glyph.begin(), glyph.end());
        }
        auto vb = makeBuffer(verts);
        int before = soft().fastRectCount();
        int worst = compareBothPaths([&] {
            device->setRenderState(RenderState::ZEnable, 0);
            device->setRenderState(RenderState::CullMode, CullCCW);
            device->setTexture(0, tex.get());
            device->setStreamSource(0, vb.get(), 0, 28);
            device->setFvf(FvfScreenVertex);
            device->drawPrimitive(PrimitiveType::TriangleList, 0, 40);
        });
        EXPECT_EQ(soft().fastRectCount() - before, 20) << "round " << round;
        EXPECT_LE(worst, 2) << "round " << round;
    }
}

TEST_P(FastPath, OtherShapesAndStatesStillDrawThroughTheGeneralPath) {
    std::mt19937 rng(7);
    fillBackground(rng);
    auto tex = randomTexture(rng);
    // A rotated quad, a quad with differing vertex colours, a quad with the
    // depth test on, and one that crosses the near plane.
    std::vector<std::vector<QuadVertex>> shapes = {
        {{-1, 0, 0, 0xFFFFFFFFu, 0, 0},
         {0, -1, 0, 0xFFFFFFFFu, 0, 1},
         {0, 1, 0, 0xFFFFFFFFu, 1, 0},
         {1, 0, 0, 0xFFFFFFFFu, 1, 1}},
        {{-1, 1, 0, 0xFFFF0000u, 0, 0},
         {-1, -1, 0, 0xFF00FF00u, 0, 1},
         {1, 1, 0, 0xFF0000FFu, 1, 0},
         {1, -1, 0, 0xFFFFFFFFu, 1, 1}},
        unitQuad(),
        {{-1, 1, -45, 0xFFFFFFFFu, 0, 0},
         {-1, -1, -45, 0xFFFFFFFFu, 0, 1},
         {1, 1, 5, 0xFFFFFFFFu, 1, 0},
         {1, -1, 5, 0xFFFFFFFFu, 1, 1}},
    };
    for (size_t s = 0; s < shapes.size(); ++s) {
        auto vb = makeBuffer(shapes[s]);
        int before = soft().fastRectCount();
        int worst = compareBothPaths([&] {
            translate(0, 0, 40);
            device->setRenderState(RenderState::Lighting, 0);
            device->setRenderState(RenderState::ZEnable, s == 2);
            device->setRenderState(RenderState::CullMode, CullNone);
            device->setTexture(0, tex.get());
            device->setStreamSource(0, vb.get(), 0, 24);
            device->setFvf(FvfQuadVertex);
            device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
        });
        EXPECT_EQ(worst, 0) << "shape " << s;
        // Only the depth-tested rectangle may take the fast path.
        EXPECT_EQ(soft().fastRectCount() - before, s == 2 ? 1 : 0) << "shape " << s;
    }
}

// The wide loops and the plain C++ ones do the baseline loops' arithmetic:
// the same pixels exactly, for squares as the tile grid draws them (the wide
// loops' whole case) at sizes that end rows on and off a whole block.
TEST_F(FastPathDraws, WideAndPlainLoopsGiveExactlyTheBaselinePixels) {
    std::mt19937 rng(2468);
    const auto textures = gridTextures(rng);
    auto quad = makeBuffer(unitQuad());
    for (swr::SpanLoops loops : {swr::SpanLoops::Widest, swr::SpanLoops::Portable}) {
        for (int round = 0; round < 6; ++round) {
            fillBackground(rng);
            const std::vector<uint32_t> choices = gridChoices(rng);
            const float offset = 0.37f * static_cast<float>(round);
            const float depth = std::array{40.0f, 28.0f, 20.0f, 70.0f, 33.0f, 100.0f}[round];
            int worst = compareDraws(
                [&] { drawGrid(quad.get(), textures, choices, offset, -offset, depth); },
                [&] { useLoops(swr::SpanLoops::Baseline); }, [&] { useLoops(loops); });
            EXPECT_EQ(worst, 0) << "round " << round << ", loops " << static_cast<int>(loops);
        }
    }
}

// Text as the game draws it (alpha-tested glyph rectangles, blended, from a
// linearly filtered atlas), under every alpha compare function and
// reference: the wide and the plain loops give exactly the baseline pixels.
TEST_F(FastPathDraws, WideAndPlainAlphaTestedGlyphsGiveExactlyTheBaselinePixels) {
    std::mt19937 rng(1357);
    auto atlas = randomTexture(rng);
    std::vector<ScreenVertexData> verts;
    std::uniform_real_distribution<float> px(-10.0f, FW + 10.0f), py(-10.0f, FH + 10.0f),
        size(3.0f, 30.0f), uv(0.0f, 1.0f);
    for (int g = 0; g < 40; ++g) {
        float x0 = std::floor(px(rng)) - 0.5f, y0 = std::floor(py(rng)) - 0.5f;
        float x1 = x0 + std::floor(size(rng)), y1 = y0 + std::floor(size(rng));
        float l = uv(rng), t = uv(rng), r = std::min(1.0f, l + 0.1f), b = std::min(1.0f, t + 0.2f);
        uint32_t colour = g % 2 ? 0xFFFFFFFFu : static_cast<uint32_t>(rng()) | 0x40000000u;
        std::vector<ScreenVertexData> glyph = {
            {x0, y1, 0.9f, 1, colour, l, b}, {x0, y0, 0.9f, 1, colour, l, t},
            {x1, y1, 0.9f, 1, colour, r, b}, {x1, y0, 0.9f, 1, colour, r, t},
            {x1, y1, 0.9f, 1, colour, r, b}, {x0, y0, 0.9f, 1, colour, l, t}};
        verts.insert(verts.end(), glyph.begin(), glyph.end());
    }
    auto vb = makeBuffer(verts);
    for (swr::SpanLoops loops : {swr::SpanLoops::Widest, swr::SpanLoops::Portable}) {
        for (uint32_t func = CmpNever; func <= CmpAlways; ++func) {
            for (uint32_t ref : {0u, 8u, 128u, 255u}) {
                fillBackground(rng);
                int worst = compareDraws(
                    [&] {
                        device->setRenderState(RenderState::ZEnable, 0);
                        device->setRenderState(RenderState::CullMode, CullCCW);
                        device->setRenderState(RenderState::AlphaBlendEnable, 1);
                        device->setRenderState(RenderState::SrcBlend, BlendSrcAlpha);
                        device->setRenderState(RenderState::DestBlend, BlendInvSrcAlpha);
                        device->setRenderState(RenderState::AlphaTestEnable, 1);
                        device->setRenderState(RenderState::AlphaFunc, func);
                        device->setRenderState(RenderState::AlphaRef, ref);
                        device->setSamplerState(0, SamplerState::MinFilter, FilterLinear);
                        device->setSamplerState(0, SamplerState::MagFilter, FilterLinear);
                        device->setTexture(0, atlas.get());
                        device->setStreamSource(0, vb.get(), 0, 28);
                        device->setFvf(FvfScreenVertex);
                        device->drawPrimitive(PrimitiveType::TriangleList, 0, 80);
                    },
                    [&] { useLoops(swr::SpanLoops::Baseline); }, [&] { useLoops(loops); });
                EXPECT_EQ(worst, 0) << "compare function " << func << ", reference " << ref
                                    << ", loops " << static_cast<int>(loops);
            }
        }
    }
}

std::string loopsName(const ::testing::TestParamInfo<swr::SpanLoops>& info) {
    constexpr std::array<const char*, 3> names{"Widest", "Baseline", "Portable"};
    return names[static_cast<size_t>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(SpanLoops, FastPath,
                         ::testing::Values(swr::SpanLoops::Widest, swr::SpanLoops::Baseline,
                                           swr::SpanLoops::Portable),
                         loopsName);

}  // namespace
