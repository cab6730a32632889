// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The software device's objects and bookkeeping: the graphics system's
// answers, default states, textures, vertex buffers and their bounds, state
// blocks, the draw log, presentation, and bad input.
#include <cstring>
#include <limits>

#include "platform/seams.hpp"
#include "platform/software/graphics_system.hpp"
#include "support/recording_video.hpp"
#include "unit/platform/device_fixture.hpp"

using namespace tiefschacht;

namespace {

using testsupport::RecordingVideo;

TEST(DeviceSystem, AnswersFormatsAndVertexProcessingKindsUnlessRefused) {
    auto system = createSoftwareGraphicsSystem(nullptr, 640, 480);
    DisplayMode mode;
    ASSERT_EQ(system->getAdapterDisplayMode(mode), StatusOk);
    EXPECT_EQ(mode.format, PixelFormat::X8R8G8B8);
    EXPECT_EQ(mode.width, 640u);
    EXPECT_EQ(mode.height, 480u);

    for (PixelFormat f : {PixelFormat::R5G6B5, PixelFormat::X1R5G5B5, PixelFormat::A1R5G5B5,
                          PixelFormat::X8R8G8B8, PixelFormat::A8R8G8B8})
        EXPECT_EQ(system->checkDeviceType(PixelFormat::X8R8G8B8, f, false), StatusOk);
    EXPECT_LT(system->checkDeviceType(PixelFormat::X8R8G8B8, PixelFormat::A4R4G4B4, false), 0);

    PresentParameters pp;
    std::unique_ptr<GraphicsDevice> dev;
    const uint32_t pure = CreateHardwareVertexProcessing | CreatePureDevice;
    for (uint32_t kind : {pure, CreateHardwareVertexProcessing, CreateMixedVertexProcessing,
                          CreateSoftwareVertexProcessing})
        EXPECT_EQ(system->createDevice(kind, pp, dev), StatusOk) << kind;

    // Refusing the pure kind leaves plain hardware alone, and the reverse.
    SoftwareSystemOptions refusing;
    refusing.refusedFormats = {PixelFormat::R5G6B5};
    refusing.refusedBehaviours = {pure, CreateMixedVertexProcessing};
    system = createSoftwareGraphicsSystem(nullptr, 640, 480, refusing);
    EXPECT_LT(system->checkDeviceType(PixelFormat::R5G6B5, PixelFormat::R5G6B5, false), 0);
    EXPECT_EQ(system->checkDeviceType(PixelFormat::X1R5G5B5, PixelFormat::X1R5G5B5, false),
              StatusOk);
    EXPECT_LT(system->createDevice(pure, pp, dev), 0);
    EXPECT_FALSE(dev);
    EXPECT_EQ(system->createDevice(CreateHardwareVertexProcessing, pp, dev), StatusOk);
    EXPECT_LT(system->createDevice(CreateMixedVertexProcessing, pp, dev), 0);
    EXPECT_EQ(system->createDevice(CreateSoftwareVertexProcessing, pp, dev), StatusOk);
    // No kind, or two at once, is not a request.
    EXPECT_LT(system->createDevice(0, pp, dev), 0);
    EXPECT_LT(
        system->createDevice(CreateSoftwareVertexProcessing | CreateMixedVertexProcessing, pp, dev),
        0);
}

TEST(DeviceSystem, BackBufferTakesThePresentSizeOrTheWindows) {
    auto system = createSoftwareGraphicsSystem(nullptr, 640, 480);
    PresentParameters pp;
    std::unique_ptr<GraphicsDevice> dev;
    auto soft = [&] { return static_cast<SoftwareDevice*>(dev.get()); };
    ASSERT_EQ(system->createDevice(CreateSoftwareVertexProcessing, pp, dev), StatusOk);
    EXPECT_EQ(soft()->backBufferWidth(), 640);
    EXPECT_EQ(soft()->backBufferHeight(), 480);
    pp.backBufferWidth = 320;
    pp.backBufferHeight = 200;
    pp.backBufferFormat = PixelFormat::R5G6B5;
    ASSERT_EQ(system->createDevice(CreateSoftwareVertexProcessing, pp, dev), StatusOk);
    EXPECT_EQ(soft()->backBufferWidth(), 320);
    EXPECT_EQ(soft()->backBufferHeight(), 200);
    pp.backBufferWidth = 0xFFFFFFFFu;
    EXPECT_LT(system->createDevice(CreateSoftwareVertexProcessing, pp, dev), 0);
    auto empty = createSoftwareGraphicsSystem(nullptr, 0, 0);
    EXPECT_LT(empty->createDevice(CreateSoftwareVertexProcessing, PresentParameters{}, dev), 0);
}

TEST_F(DeviceTest, StartsWithTheOldInterfacesDefaults) {
    auto rs = [&](RenderState s) { return device->getRenderState(s); };
    EXPECT_EQ(rs(RenderState::ZEnable), ZBufferTrue);
    EXPECT_EQ(rs(RenderState::ZWriteEnable), 1u);
    EXPECT_EQ(rs(RenderState::ZFunc), CmpLessEqual);
    EXPECT_EQ(rs(RenderState::CullMode), CullCCW);
    EXPECT_EQ(rs(RenderState::Lighting), 1u);
    EXPECT_EQ(rs(RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(rs(RenderState::SrcBlend), BlendOne);
    EXPECT_EQ(rs(RenderState::DestBlend), BlendZero);
    EXPECT_EQ(rs(RenderState::AlphaFunc), CmpAlways);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::AddressU), AddressWrap);
    EXPECT_EQ(device->getSamplerState(1, SamplerState::MinFilter), FilterPoint);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::MipFilter), FilterNone);
    EXPECT_EQ(device->getTextureStageState(0, TextureStageState::ColorOp), TopModulate);
    EXPECT_EQ(device->getTextureStageState(0, TextureStageState::AlphaOp), TopSelectArg1);
    EXPECT_EQ(device->getTextureStageState(1, TextureStageState::ColorOp), TopDisable);
    EXPECT_EQ(device->getTextureStageState(1, TextureStageState::TexCoordIndex), 1u);
    // Out-of-range units are refused, not written.
    EXPECT_LT(device->setSamplerState(2, SamplerState::AddressU, AddressClamp), 0);
    EXPECT_LT(device->setTextureStageState(-1, TextureStageState::ColorOp, TopDisable), 0);
    EXPECT_LT(device->setRenderState(RenderState::Count, 1), 0);
    EXPECT_LT(device->setTexture(5, nullptr), 0);
}

TEST_F(DeviceTest, TexturesRespectTheCapsAndLockOnce) {
    DeviceCaps caps;
    ASSERT_EQ(device->getDeviceCaps(caps), StatusOk);
    EXPECT_EQ(caps.maxTextureWidth, 4096u);
    std::unique_ptr<Texture> t;
    EXPECT_LT(device->createTexture(0, 16, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, t), 0);
    EXPECT_LT(device->createTexture(16, 0, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, t), 0);
    EXPECT_LT(device->createTexture(8192, 16, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, t), 0);
    EXPECT_LT(device->createTexture(16, 16, 1, 0, PixelFormat::D16, Pool::Managed, t), 0);
    device->options().maxTextureSide = 256;
    ASSERT_EQ(device->getDeviceCaps(caps), StatusOk);
    EXPECT_EQ(caps.maxTextureWidth, 256u);
    EXPECT_LT(device->createTexture(512, 512, 1, 0, PixelFormat::A4R4G4B4, Pool::Managed, t), 0);
    EXPECT_FALSE(t);
    ASSERT_EQ(device->createTexture(256, 256, 1, 0, PixelFormat::A4R4G4B4, Pool::Managed, t),
              StatusOk);
    EXPECT_EQ(t->width(), 256u);
    EXPECT_EQ(t->format(), PixelFormat::A4R4G4B4);
    LockedRect r;
    ASSERT_EQ(t->lockRect(r), StatusOk);
    EXPECT_EQ(r.pitch, 512);
    EXPECT_LT(t->lockRect(r), 0);
    EXPECT_EQ(t->unlockRect(), StatusOk);
    EXPECT_LT(t->unlockRect(), 0);
}

TEST_F(DeviceTest, SamplerReadsWhatWasLastUnlocked) {
    auto tex = makeTexture(1, 1, {0xFF112233u});
    auto quad = makeBuffer(unitQuad());
    LockedRect r;
    ASSERT_EQ(tex->lockRect(r), StatusOk);
    uint32_t v = 0xFF445566u;
    std::memcpy(r.bits, &v, 4);
    drawQuadAt(quad.get(), tex.get(), 0, 0, 40);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF112233u);
    ASSERT_EQ(tex->unlockRect(), StatusOk);
    drawQuadAt(quad.get(), tex.get(), 0, 0, 40);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF445566u);
}

TEST_F(DeviceTest, VertexBuffersAreBoundsChecked) {
    std::unique_ptr<VertexBuffer> vb;
    EXPECT_LT(device->createVertexBuffer(0, 0, 0, Pool::Default, vb), 0);
    ASSERT_EQ(device->createVertexBuffer(96, UsageDynamic | UsageWriteOnly, 0, Pool::Default, vb),
              StatusOk);
    EXPECT_EQ(vb->size(), 96u);
    void* p = nullptr;
    EXPECT_LT(vb->lock(90, 8, &p, 0), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_LT(vb->lock(100, 0, &p, 0), 0);
    EXPECT_LT(vb->lock(0xFFFFFFF0u, 0x20, &p, 0), 0);
    ASSERT_EQ(vb->lock(24, 0, &p, LockDiscard), StatusOk);
    EXPECT_LT(vb->lock(0, 0, &p, 0), 0);  // already locked
    ASSERT_EQ(vb->unlock(), StatusOk);
    EXPECT_LT(vb->unlock(), 0);

    auto quad = unitQuad(0xFFFFFFFFu);
    ASSERT_EQ(vb->lock(0, 96, &p, LockDiscard), StatusOk);
    std::memcpy(p, quad.data(), 96);
    vb->unlock();
    device->setRenderState(RenderState::Lighting, 0);
    device->setRenderState(RenderState::CullMode, CullNone);
    translate(0, 0, 40);
    device->setFvf(FvfQuadVertex);
    device->setStreamSource(0, vb.get(), 0, 24);
    // Exactly four vertices fit; one more, a later start or an offset fails.
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 3), 0);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 1, 2), 0);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleList, 0, 2), 0);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0xFFFFFFFFu, 0xFFFFFFFFu), 0);
    device->setStreamSource(0, vb.get(), 4, 24);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), 0);
    EXPECT_TRUE(coveredBox().empty());
    EXPECT_TRUE(device->drawLog().empty());
    // A stride shorter than the vertex, or no known format, is refused too.
    device->setStreamSource(0, vb.get(), 0, 16);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), 0);
    device->setStreamSource(0, vb.get(), 0, 24);
    device->setFvf(0x12);
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), 0);
    device->setFvf(FvfQuadVertex);
    EXPECT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    EXPECT_FALSE(coveredBox().empty());
    // A released buffer is no longer a stream.
    vb.reset();
    EXPECT_LT(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), 0);
}

TEST_F(DeviceTest, StateBlocksRecordCaptureAndApply) {
    auto tex = makeTexture(1, 1, {0xFFFFFFFFu});
    ASSERT_EQ(device->beginStateBlock(), StatusOk);
    EXPECT_LT(device->beginStateBlock(), 0);
    device->setTexture(0, tex.get());
    device->setRenderState(RenderState::AlphaRef, 8);
    device->setRenderState(RenderState::AlphaRef, 9);  // the last value counts
    device->setRenderState(RenderState::CullMode, CullCCW);
    device->setSamplerState(0, SamplerState::MinFilter, FilterPoint);
    device->setTextureStageState(1, TextureStageState::ColorOp, TopDisable);
    std::unique_ptr<StateBlock> block;
    ASSERT_EQ(device->endStateBlock(block), StatusOk);
    ASSERT_TRUE(block);
    EXPECT_LT(device->endStateBlock(block), 0);
    EXPECT_TRUE(block);
    // Recording alone changes nothing on the device.
    EXPECT_EQ(device->getTexture(0), nullptr);
    EXPECT_EQ(device->getRenderState(RenderState::AlphaRef), 0u);

    // The caller's own states.
    device->setRenderState(RenderState::CullMode, CullCW);
    device->setSamplerState(0, SamplerState::MinFilter, FilterLinear);
    device->setRenderState(RenderState::Lighting, 0);

    ASSERT_EQ(block->apply(), StatusOk);
    EXPECT_EQ(device->getTexture(0), tex.get());
    EXPECT_EQ(device->getRenderState(RenderState::AlphaRef), 9u);
    EXPECT_EQ(device->getRenderState(RenderState::CullMode), CullCCW);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::MinFilter), FilterPoint);
    // States outside the block are untouched.
    EXPECT_EQ(device->getRenderState(RenderState::Lighting), 0u);

    // capture() takes the device's current values of the recorded states...
    device->setTexture(0, nullptr);
    device->setRenderState(RenderState::AlphaRef, 100);
    device->setRenderState(RenderState::CullMode, CullNone);
    device->setSamplerState(0, SamplerState::MinFilter, FilterLinear);
    ASSERT_EQ(block->capture(), StatusOk);
    device->setTexture(0, tex.get());
    device->setRenderState(RenderState::AlphaRef, 1);
    device->setRenderState(RenderState::CullMode, CullCW);
    device->setSamplerState(0, SamplerState::MinFilter, FilterPoint);
    // ...and apply() restores them.
    ASSERT_EQ(block->apply(), StatusOk);
    EXPECT_EQ(device->getTexture(0), nullptr);
    EXPECT_EQ(device->getRenderState(RenderState::AlphaRef), 100u);
    EXPECT_EQ(device->getRenderState(RenderState::CullMode), CullNone);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::MinFilter), FilterLinear);

    // A block that outlives its device does nothing.
    device.reset();
    EXPECT_LT(block->apply(), 0);
    EXPECT_LT(block->capture(), 0);
}

// The draw log is the frame's record: every draw since the last present,
// with the states in force and its vertices.
TEST_F(DeviceTest, DrawLogRecordsEachCallOfTheFrameWithItsStates) {
    auto tex = makeTexture(1, 1, {0xFFFFFFFFu});
    auto quad = makeBuffer(unitQuad());
    drawQuadAt(quad.get(), tex.get(), 1, 2, 40);
    EXPECT_EQ(device->drawLog().size(), 1u);
    device->present();
    EXPECT_TRUE(device->drawLog().empty());
    device->setSamplerState(0, SamplerState::AddressU, AddressClamp);
    drawQuadAt(quad.get(), tex.get(), 3, -4, 40, true);
    ASSERT_EQ(device->drawLog().size(), 1u);
    const DrawRecord& r = device->drawLog()[0];
    EXPECT_EQ(r.type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(r.primitiveCount, 2u);
    EXPECT_EQ(r.fvf, FvfQuadVertex);
    EXPECT_EQ(r.texture(), tex.get());
    EXPECT_EQ(r.world().m[3][0], 3.0f);
    EXPECT_EQ(r.world().m[3][1], -4.0f);
    EXPECT_EQ(r.renderState(RenderState::SrcBlend), BlendOne);
    EXPECT_EQ(r.renderState(RenderState::Lighting), 0u);
    EXPECT_EQ(r.samplerState(SamplerState::AddressU), AddressClamp);
    const auto vertices = testsupport::verticesOf<QuadVertex>(*device, r);
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_EQ(vertices[3].u, 1.0f);
}

TEST_F(DeviceTest, ReleasedTexturesDrawAsNone) {
    auto tex = makeTexture(1, 1, {0xFFFF0000u});
    auto quad = makeBuffer(unitQuad(0xFF00FF00u));
    translate(0, 0, 40);
    device->setRenderState(RenderState::Lighting, 0);
    device->setRenderState(RenderState::CullMode, CullCW);
    device->setTexture(0, tex.get());
    tex.reset();
    device->setStreamSource(0, quad.get(), 0, 24);
    device->setFvf(FvfQuadVertex);
    ASSERT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    EXPECT_EQ(pixel(W / 2, H / 2), 0xFF00FF00u);
}

// A present says whether the frame changed since the last one. After it the
// back buffer still holds the frame just shown: read back, drawn over
// without a clear, and presented again, it is that frame.
TEST(DevicePresent, ReportsAChangedFrameAndKeepsItUntilTheNextClear) {
    RecordingVideo video;
    auto system = createSoftwareGraphicsSystem(&video, 8, 4);
    std::unique_ptr<GraphicsDevice> made;
    ASSERT_EQ(system->createDevice(CreateSoftwareVertexProcessing, PresentParameters{}, made),
              StatusOk);
    auto* dev = static_cast<SoftwareDevice*>(made.get());
    EXPECT_EQ(dev->beginScene(), StatusOk);
    EXPECT_LT(dev->beginScene(), 0);
    EXPECT_EQ(dev->endScene(), StatusOk);
    EXPECT_LT(dev->endScene(), 0);
    for (uint32_t colour : {0xFF112233u, 0xFF112233u, 0xFF445566u}) {
        dev->clear(colour, 1.0f);
        dev->present();
    }
    EXPECT_EQ(dev->backBuffer()[5], 0xFF445566u);
    dev->present();  // nothing drawn since: unchanged
    ASSERT_EQ(video.lastFrame().size(), 8u * 4u);
    EXPECT_EQ(video.lastFrame()[5], 0xFF445566u);
    EXPECT_EQ(video.lastFrameWidth(), 8);

    // A quad over the left half, drawn without a clear, lands on the presented frame.
    const std::vector<ScreenVertexData> quad = {{-0.5f, 3.5f, 0.5f, 1, 0xFFFF0000u, 0, 1},
                                                {-0.5f, -0.5f, 0.5f, 1, 0xFFFF0000u, 0, 0},
                                                {3.5f, 3.5f, 0.5f, 1, 0xFFFF0000u, 1, 1},
                                                {3.5f, -0.5f, 0.5f, 1, 0xFFFF0000u, 1, 0}};
    std::unique_ptr<VertexBuffer> vb;
    const auto bytes = static_cast<uint32_t>(quad.size() * sizeof(ScreenVertexData));
    ASSERT_EQ(dev->createVertexBuffer(bytes, UsageWriteOnly, 0, Pool::Managed, vb), StatusOk);
    void* p = nullptr;
    ASSERT_EQ(vb->lock(0, 0, &p, 0), StatusOk);
    std::memcpy(p, quad.data(), bytes);
    vb->unlock();
    dev->setRenderState(RenderState::ZEnable, 0);
    dev->setRenderState(RenderState::CullMode, CullNone);
    dev->setFvf(FvfScreenVertex);
    dev->setStreamSource(0, vb.get(), 0, sizeof(ScreenVertexData));
    ASSERT_EQ(dev->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
    dev->present();
    EXPECT_EQ(video.changes, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(video.lastFrame()[0], 0xFFFF0000u);
    EXPECT_EQ(video.lastFrame()[3], 0xFFFF0000u);
    EXPECT_EQ(video.lastFrame()[4], 0xFF445566u);
    EXPECT_EQ(video.lastFrame()[31], 0xFF445566u);
    EXPECT_EQ(dev->backBuffer()[4], 0xFF445566u);
}

TEST_F(DeviceTest, NotANumberAndHugeVerticesAreHarmless) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    device->setRenderState(RenderState::Lighting, 0);
    device->setRenderState(RenderState::ZEnable, 0);
    device->setRenderState(RenderState::CullMode, CullNone);
    device->setFvf(FvfQuadVertex);
    for (float bad : {nan, inf, -inf, 1e30f, -3e38f}) {
        for (int corner = 0; corner < 4; ++corner) {
            auto q = unitQuad();
            q[corner].x = bad;
            q[(corner + 1) % 4].z = bad;
            q[(corner + 2) % 4].u = bad;
            auto vb = makeBuffer(q);
            translate(0, 0, 40);
            device->setStreamSource(0, vb.get(), 0, 24);
            EXPECT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 2), StatusOk);
        }
    }
    // Screen vertices far outside the target still fill exactly the target.
    device->clear(0xFF000000u, 1.0f);
    std::vector<ScreenVertexData> huge = {
        {-1e30f, 1e30f, 0.5f, 1, 0xFFFFFFFFu, 0, 1}, {-1e30f, -1e30f, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
        {1e30f, 1e30f, 0.5f, 1, 0xFFFFFFFFu, 1, 1},  {1e30f, -1e30f, 0.5f, 1, 0xFFFFFFFFu, 1, 0},
        {nan, 5, 0.5f, nan, 0xFFFFFFFFu, nan, 0},    {5, inf, 0.5f, 0, 0xFFFFFFFFu, 0, inf}};
    auto vb = makeBuffer(huge);
    device->setFvf(FvfScreenVertex);
    device->setStreamSource(0, vb.get(), 0, 28);
    EXPECT_EQ(device->drawPrimitive(PrimitiveType::TriangleStrip, 0, 4), StatusOk);
    EXPECT_EQ(countPixels(0xFFFFFFFFu), W * H);
}

}  // namespace
