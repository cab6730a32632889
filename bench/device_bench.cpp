// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Frame costs of the software device for play-like, menu-like and
// text-like scenes (the last with the game's fonts, when they can be
// found), against the cost of one plain copy of the back buffer. Prints
// figures; asserts nothing.
//
//   device_bench [frames] [play|menu|text]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "drawing/text_font.hpp"
#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "platform/software/device.hpp"
#include "services/settings.hpp"

using namespace tiefschacht;

namespace {

struct QuadVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};

// CPU time of this thread: on a shared machine, wall time mostly measures
// the other processes.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

// A 32 x 32 picture: a coloured pattern with a colour-keyed (transparent
// black) border, like the game's tiles and sprites.
std::unique_ptr<Texture> makePicture(GraphicsDevice& dev, uint32_t seed, bool keyed) {
    std::unique_ptr<Texture> t;
    dev.createTexture(32, 32, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, t);
    LockedRect r;
    t->lockRect(r);
    uint32_t s = seed * 2654435761u + 1;
    for (int y = 0; y < 32; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(r.bits) + y * r.pitch);
        for (int x = 0; x < 32; ++x) {
            s = s * 1664525u + 1013904223u;
            bool border = keyed && (x < 3 || x > 28 || y < 2);
            row[x] = border ? 0x00000000u : (0xFF000000u | (s >> 8));
        }
    }
    t->unlockRect();
    return t;
}

struct Scene {
    std::unique_ptr<SoftwareDevice> dev;
    std::unique_ptr<VertexBuffer> quad;
    std::vector<std::unique_ptr<Texture>> pictures;
    std::unique_ptr<Texture> overlay;
    std::unique_ptr<Texture> backdrop;
    std::unique_ptr<TextFont> large, small;

    Scene(int w, int h, const SoftwareDeviceOptions& options) {
        dev = std::make_unique<SoftwareDevice>(nullptr, w, h, PixelFormat::X8R8G8B8, true,
                                               CreateHardwareVertexProcessing, options);
        // The game's fixed states and camera.
        for (int s = 0; s < 2; ++s) {
            dev->setSamplerState(s, SamplerState::MinFilter, FilterLinear);
            dev->setSamplerState(s, SamplerState::MagFilter, FilterLinear);
        }
        dev->setRenderState(RenderState::CullMode, CullCW);
        dev->setRenderState(RenderState::Lighting, 1);
        dev->setTransform(TransformKind::View, matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}));
        dev->setTransform(TransformKind::Projection,
                          matrixPerspectiveFovLH(0.7853982f, 4.0f / 3.0f, 1.0f, 1000.0f));
        std::vector<QuadVertex> v = {{-1, 1, 0, 0xFFFFFFFFu, 0, 0},
                                     {-1, -1, 0, 0xFFFFFFFFu, 0, 1},
                                     {1, 1, 0, 0xFFFFFFFFu, 1, 0},
                                     {1, -1, 0, 0xFFFFFFFFu, 1, 1}};
        dev->createVertexBuffer(96, UsageWriteOnly, FvfQuadVertex, Pool::Managed, quad);
        void* p = nullptr;
        quad->lock(0, 0, &p, 0);
        std::memcpy(p, v.data(), 96);
        quad->unlock();
        for (uint32_t i = 0; i < 16; ++i) pictures.push_back(makePicture(*dev, i, i % 4 == 0));
        overlay = makePicture(*dev, 99, false);
        backdrop = makePicture(*dev, 7, false);
        large = makeFont("Times New Roman", 20);
        small = makeFont("Arial", 10);
    }

    std::unique_ptr<TextFont> makeFont(const char* face, uint32_t height) {
        auto font = std::make_unique<TextFont>(face, height, FontBold);
        if (!succeeded(font->createGlyphAtlas(dev.get())) ||
            !succeeded(font->createDeviceResources()))
            return nullptr;
        return font;
    }

    void drawQuad(Texture* tex, float x, float y, float z, bool additive) {
        Mat4 world = Mat4::identity();
        world.m[3][0] = x;
        world.m[3][1] = y;
        world.m[3][2] = z;
        dev->setTransform(TransformKind::World, world);
        dev->setRenderState(RenderState::Lighting, 0);
        dev->setRenderState(RenderState::ZEnable, 0);
        dev->setRenderState(RenderState::AlphaBlendEnable, 1);
        dev->setRenderState(RenderState::SrcBlend, additive ? BlendOne : BlendSrcAlpha);
        dev->setRenderState(RenderState::DestBlend, additive ? BlendOne : BlendInvSrcAlpha);
        dev->setTexture(0, tex);
        dev->setStreamSource(0, quad.get(), 0, 24);
        dev->setFvf(FvfQuadVertex);
        dev->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2);
        dev->setTexture(0, nullptr);
        dev->setRenderState(RenderState::AlphaBlendEnable, 0);
        dev->setRenderState(RenderState::Lighting, 1);
        dev->setRenderState(RenderState::ZEnable, 1);
    }

    // 22 x 18 tiles on the play plane, every tenth with an additive overlay.
    void playFrame(bool same = false) {
        begin(same);
        dev->setSamplerState(0, SamplerState::AddressU, AddressClamp);
        dev->setSamplerState(0, SamplerState::AddressV, AddressClamp);
        int n = 0;
        for (int i = 0; i < 22; ++i)
            for (int j = 0; j < 18; ++j, ++n) {
                float x = -21.0f + 2.0f * i, y = -17.0f + 2.0f * j;
                drawQuad(pictures[n % pictures.size()].get(), x, y, 40.0f, false);
                if (n % 10 == 0) drawQuad(overlay.get(), x, y, 40.0f, true);
            }
        dev->setSamplerState(0, SamplerState::AddressU, AddressWrap);
        dev->setSamplerState(0, SamplerState::AddressV, AddressWrap);
        dev->present();
    }

    // One full-screen picture close to the camera and 30 small ones on the menu plane.
    void menuFrame() {
        begin();
        drawQuad(backdrop.get(), 0, 0, 1.809f, false);
        for (int i = 0; i < 30; ++i)
            drawQuad(pictures[i % pictures.size()].get(), -29.0f + 2.0f * i, (i % 5) * 4.0f - 8.0f,
                     60.0f, false);
        dev->present();
    }

    // A list of twelve lines in the large font and two in the small one,
    // as the highscore screen shows.
    void textFrame() {
        begin();
        if (!large || !small) return;
        for (int i = 0; i < 12; ++i)
            large->drawText(-0.6f, -0.8f + 0.12f * static_cast<float>(i), 0.9f, 0.03f, 0.03f,
                            0xFFFFFFFFu, "12  SCHACHTHELD   7900", TextFiltered);
        for (int i = 0; i < 2; ++i)
            small->drawText(-0.9f, 0.7f + 0.05f * static_cast<float>(i), 0.9f, 0.02f, 0.02f,
                            0xFFE0E0E0u, "Spiel verlassen mit Esc, Bewegen mit den Pfeiltasten",
                            TextFiltered);
        dev->present();
    }

    // Every frame clears to a slightly different black, so that none is
    // the frame before again (which the device would not draw); `same`
    // repeats the last frame's clear.
    void begin(bool same = false) {
        if (!same) ++serial;
        dev->clear(0xFF000000u | (serial & 1u), 1.0f);
    }
    uint32_t serial = 0;
};

struct Timing {
    double median = 0;
    double best = 0;
};

template <typename F>
Timing timePerFrame(int frames, F&& frame) {
    frame();  // warm-up
    std::vector<double> t;
    for (int i = 0; i < frames; ++i) {
        double t0 = cpuMs();
        frame();
        t.push_back(cpuMs() - t0);
    }
    std::sort(t.begin(), t.end());
    return Timing{t[t.size() / 2], t.front()};
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const char* only = argc > 2 ? argv[2] : nullptr;  // one scene alone
    platformLayer.glyphs = createFreeTypeRasteriser();
    std::printf("software device, thread CPU time, median of %d frames (general path: of %d)\n",
                frames, std::max(1, frames / 20));
    std::printf(
        "fast: the rectangle path as this processor runs it; baseline: the same with SSE2 only\n");
    std::printf("%-10s %-6s %18s %18s %18s %10s %10s %12s\n", "size", "scene", "fast ms (best)",
                "baseline ms (best)", "general ms (best)", "copy ms", "fast/copy", "general/fast");
    SoftwareDeviceOptions baselineOptions, generalOptions;
    baselineOptions.spanLoops = swr::SpanLoops::Baseline;
    generalOptions.generalPathOnly = true;
    for (auto [w, h] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        Scene scene(w, h, {}), baselineScene(w, h, baselineOptions),
            generalScene(w, h, generalOptions);
        std::vector<uint32_t> copy(static_cast<size_t>(w) * h);
        Timing copyMs = timePerFrame(frames * 4, [&] {
            std::memcpy(copy.data(), scene.dev->backBuffer(), copy.size() * 4);
            asm volatile("" ::"r"(copy.data()) : "memory");
        });
        settings.screenWidth = w;
        settings.screenHeight = h;
        for (int s = 0; s < 3; ++s) {
            const char* name = s == 0 ? "play" : s == 1 ? "menu" : "text";
            if (only != nullptr && std::strcmp(only, name) != 0) continue;
            auto frameOf = [s](Scene& of) {
                return [s, &of] {
                    s == 0 ? of.playFrame() : s == 1 ? of.menuFrame() : of.textFrame();
                };
            };
            Timing fast = timePerFrame(frames, frameOf(scene));
            Timing baseline = timePerFrame(frames, frameOf(baselineScene));
            Timing general = timePerFrame(std::max(1, frames / 20), frameOf(generalScene));
            std::printf(
                "%4dx%-5d %-6s %9.3f (%6.3f) %9.3f (%6.3f) %9.3f (%6.3f) %10.4f %10.1f %12.1f\n", w,
                h, name, fast.median, fast.best, baseline.median, baseline.best, general.median,
                general.best, copyMs.median, fast.median / copyMs.median,
                general.median / fast.median);
        }
        Timing sameMs = timePerFrame(frames, [&] { scene.playFrame(true); });
        std::printf(
            "%4dx%-5d the play frame again, unchanged (recorded and compared, not drawn): %.3f "
            "ms\n",
            w, h, sameMs.median);
    }
    platformLayer = PlatformLayer{};
    return 0;
}
