// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A software device with the game's camera, and small helpers to build
// textures and vertex buffers and to draw quads the way the game does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "support/software_device.hpp"

namespace tiefschacht {

struct QuadVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 24);

struct ScreenVertexData {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(ScreenVertexData) == 28);

class DeviceTest : public ::testing::Test {
protected:
    static constexpr int W = 800;
    static constexpr int H = 600;

    void SetUp() override { makeDevice(W, H); }

    void makeDevice(int w, int h) {
        device = testsupport::makeSoftwareDevice(w, h);
        setCamera(1000.0f);
        device->clear(0xFF000000u, 1.0f);
    }

    void setCamera(float farPlane) {
        view = matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
        projection = matrixPerspectiveFovLH(0.7853982f, 4.0f / 3.0f, 1.0f, farPlane);
        device->setTransform(TransformKind::View, view);
        device->setTransform(TransformKind::Projection, projection);
    }

    std::unique_ptr<Texture> makeTexture(int w, int h, const std::vector<uint32_t>& argb) {
        std::unique_ptr<Texture> t;
        EXPECT_EQ(device->createTexture(w, h, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, t),
                  StatusOk);
        LockedRect r;
        EXPECT_EQ(t->lockRect(r), StatusOk);
        for (int y = 0; y < h; ++y)
            std::memcpy(static_cast<uint8_t*>(r.bits) + y * r.pitch, argb.data() + y * w, w * 4);
        EXPECT_EQ(t->unlockRect(), StatusOk);
        return t;
    }

    template <typename V>
    std::unique_ptr<VertexBuffer> makeBuffer(const std::vector<V>& vertices) {
        std::unique_ptr<VertexBuffer> b;
        uint32_t bytes = static_cast<uint32_t>(vertices.size() * sizeof(V));
        EXPECT_EQ(device->createVertexBuffer(bytes, UsageWriteOnly, 0, Pool::Managed, b), StatusOk);
        void* p = nullptr;
        EXPECT_EQ(b->lock(0, 0, &p, 0), StatusOk);
        std::memcpy(p, vertices.data(), bytes);
        EXPECT_EQ(b->unlock(), StatusOk);
        return b;
    }

    // The game's unit quad: a strip (-1,1), (-1,-1), (1,1), (1,-1), picture upright.
    static std::vector<QuadVertex> unitQuad(uint32_t colour = 0xFFFFFFFFu) {
        return {{-1, 1, 0, colour, 0, 0},
                {-1, -1, 0, colour, 0, 1},
                {1, 1, 0, colour, 1, 0},
                {1, -1, 0, colour, 1, 1}};
    }

    void translate(float x, float y, float z) {
        Mat4 w = Mat4::identity();
        w.m[3][0] = x;
        w.m[3][1] = y;
        w.m[3][2] = z;
        device->setTransform(TransformKind::World, w);
    }

    // Draws a strip quad buffer at a position as the game's quad routine does.
    void drawQuadAt(VertexBuffer* quad, Texture* tex, float x, float y, float z,
                    bool additive = false) {
        translate(x, y, z);
        device->setRenderState(RenderState::Lighting, 0);
        device->setRenderState(RenderState::ZEnable, 0);
        device->setRenderState(RenderState::AlphaBlendEnable, 1);
        device->setRenderState(RenderState::SrcBlend, additive ? BlendOne : BlendSrcAlpha);
        device->setRenderState(RenderState::DestBlend, additive ? BlendOne : BlendInvSrcAlpha);
        device->setRenderState(RenderState::CullMode, CullCW);
        device->setTexture(0, tex);
        device->setStreamSource(0, quad, 0, 24);
        device->setFvf(FvfQuadVertex);
        EXPECT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
        device->setTexture(0, nullptr);
    }

    uint32_t pixel(int x, int y) const {
        return device->backBuffer()[static_cast<size_t>(y) * device->backBufferWidth() + x];
    }

    // Bounding box of the pixels that differ from `background`.
    struct Box {
        int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
        bool empty() const { return x1 < 0; }
    };
    Box coveredBox(uint32_t background = 0xFF000000u) const {
        Box b;
        const int w = device->backBufferWidth(), h = device->backBufferHeight();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (pixel(x, y) != background) {
                    b.x0 = std::min(b.x0, x);
                    b.y0 = std::min(b.y0, y);
                    b.x1 = std::max(b.x1, x);
                    b.y1 = std::max(b.y1, y);
                }
        return b;
    }

    int countPixels(uint32_t value) const {
        int n = 0;
        const int total = device->backBufferWidth() * device->backBufferHeight();
        for (int i = 0; i < total; ++i) n += device->backBuffer()[i] == value;
        return n;
    }

    std::unique_ptr<testsupport::TestSoftwareDevice> device;
    Mat4 view, projection;
};

inline int channelOf(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

}  // namespace tiefschacht
