// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Frames whose requests are those of the frame on screen: not drawn again,
// reported unchanged, and still shown; any difference in what a frame asks
// for (a texture's texels, a state, a vertex, the clear colour, a draw more
// or less) draws it, with the same pixels as a device drawing it afresh.
#include <cstring>
#include <functional>

#include "support/recording_video.hpp"
#include "unit/platform/device_fixture.hpp"

using namespace tiefschacht;

namespace {

using testsupport::RecordingVideo;

// What a frame of these tests asks for, and what the second frame changes.
enum class Change { None, Texels, State, Vertex, ClearColour, DrawMore, DrawLess };

struct Scene {
    std::unique_ptr<testsupport::TestSoftwareDevice> device;
    std::unique_ptr<Texture> picture;
    std::unique_ptr<VertexBuffer> quad;
    std::unique_ptr<VertexBuffer> glyphs;
};

class UnchangedFrames : public DeviceTest {
protected:
    static constexpr int SW = 160, SH = 120;

    Scene makeScene(VideoOutput* video) {
        Scene s;
        s.device = testsupport::makeSoftwareDevice(SW, SH, {}, video);
        device.reset();
        std::swap(device, s.device);
        setCamera(1000.0f);
        s.picture = makeTexture(2, 2, {0xFF204060u, 0x80FF0000u, 0x00000000u, 0xFF00FF00u});
        s.quad = makeBuffer(unitQuad());
        s.glyphs =
            makeBuffer(std::vector<ScreenVertexData>{{9.5f, 29.5f, 0.5f, 1, 0xFFFFFFFFu, 0, 1},
                                                     {9.5f, 9.5f, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                                                     {29.5f, 29.5f, 0.5f, 1, 0xFFFFFFFFu, 1, 1},
                                                     {29.5f, 9.5f, 0.5f, 1, 0xFFFFFFFFu, 1, 0}});
        std::swap(device, s.device);
        return s;
    }

    // One frame: a clear, a textured square, an untextured one and a
    // glyph-like rectangle; `change` alters it.
    void drawFrame(Scene& s, Change change) {
        std::swap(device, s.device);
        if (change == Change::Texels) {
            LockedRect r;
            ASSERT_EQ(s.picture->lockRect(r), StatusOk);
            static_cast<uint32_t*>(r.bits)[0] = 0xFFFFFF00u;
            s.picture->unlockRect();
        }
        if (change == Change::Vertex) {
            void* p = nullptr;
            ASSERT_EQ(s.quad->lock(0, 0, &p, 0), StatusOk);
            static_cast<QuadVertex*>(p)[0].x = -1.5f;
            s.quad->unlock();
        }
        device->clear(change == Change::ClearColour ? 0xFF101010u : 0xFF000000u, 1.0f);
        drawQuadAt(s.quad.get(), s.picture.get(), -10.0f, 5.0f, 40.0f, change == Change::State);
        if (change != Change::DrawLess) drawQuadAt(s.quad.get(), nullptr, 12.0f, -6.0f, 40.0f);
        device->setRenderState(RenderState::CullMode, CullNone);
        device->setTexture(0, s.picture.get());
        device->setFvf(FvfScreenVertex);
        device->setStreamSource(0, s.glyphs.get(), 0, sizeof(ScreenVertexData));
        EXPECT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
        device->setTexture(0, nullptr);
        if (change == Change::DrawMore) drawQuadAt(s.quad.get(), nullptr, 0.0f, 0.0f, 60.0f, true);
        device->present();
        std::swap(device, s.device);
    }

    // The pixels a device with no history draws for the frame.
    std::vector<uint32_t> drawnAfresh(Change change) {
        RecordingVideo video;
        Scene s = makeScene(&video);
        if (change == Change::Texels || change == Change::Vertex) drawFrame(s, Change::None);
        drawFrame(s, change);
        return video.lastFrame();
    }
};

// A frame that asks for exactly what the last one did is not drawn again
// and stays on screen; any difference in the requests draws it as a device
// with no history would.
TEST_F(UnchangedFrames, OnlyADifferenceInTheRequestsDrawsTheFrame) {
    for (Change change : {Change::None, Change::Texels, Change::State, Change::Vertex,
                          Change::ClearColour, Change::DrawMore, Change::DrawLess}) {
        SCOPED_TRACE(static_cast<int>(change));
        RecordingVideo video;
        Scene s = makeScene(&video);
        drawFrame(s, Change::None);
        drawFrame(s, Change::None);
        const int rectangles = s.device->fastRectCount();
        drawFrame(s, change);
        EXPECT_EQ(video.changes, (std::vector<bool>{true, false, change != Change::None}));
        EXPECT_EQ(video.lastFrame(), drawnAfresh(change));
        EXPECT_EQ(std::vector<uint32_t>(s.device->backBuffer(), s.device->backBuffer() + SW * SH),
                  video.lastFrame());
        if (change == Change::None) {
            EXPECT_EQ(s.device->fastRectCount(), rectangles);  // nothing rasterised
        } else {
            EXPECT_NE(video.lastFrame(), drawnAfresh(Change::None));
        }
    }
}

// Texels changed in the middle of a frame that so far matched: the draws
// before the change read the texels as they were, those after as they are.
TEST_F(UnchangedFrames, DrawsBeforeATextureChangeReadItsOldTexels) {
    RecordingVideo video;
    Scene s = makeScene(&video);
    drawFrame(s, Change::None);
    auto at = [&](int x, int y) { return video.lastFrame()[static_cast<size_t>(y) * SW + x]; };
    const uint32_t firstSquare = at(44, 42);  // the textured square at (-10, 5)
    std::swap(device, s.device);
    device->clear(0xFF000000u, 1.0f);
    drawQuadAt(s.quad.get(), s.picture.get(), -10.0f, 5.0f, 40.0f);
    LockedRect r;
    ASSERT_EQ(s.picture->lockRect(r), StatusOk);
    for (int i = 0; i < 4; ++i) static_cast<uint32_t*>(r.bits)[i] = 0xFF0000FFu;
    s.picture->unlockRect();
    drawQuadAt(s.quad.get(), s.picture.get(), 12.0f, -6.0f, 40.0f);
    device->present();
    std::swap(device, s.device);
    ASSERT_EQ(video.changes, (std::vector<bool>{true, true}));
    EXPECT_EQ(at(44, 42), firstSquare);
    EXPECT_NE(firstSquare, 0xFF0000FFu);
    EXPECT_EQ(at(123, 82), 0xFF0000FFu);
}

// A frame that draws over what is on screen without clearing first depends
// on it: drawn every time.
TEST_F(UnchangedFrames, AFrameWithoutAClearIsAlwaysDrawn) {
    RecordingVideo video;
    Scene s = makeScene(&video);
    drawFrame(s, Change::None);
    std::swap(device, s.device);
    for (int i = 0; i < 3; ++i) {
        drawQuadAt(s.quad.get(), nullptr, 0.0f, 0.0f, 60.0f, true);
        device->present();
    }
    std::swap(device, s.device);
    EXPECT_EQ(video.changes, (std::vector<bool>{true, true, true, true}));
}

}  // namespace
