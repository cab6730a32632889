// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "drawing/fonts.hpp"
#include "platform/software/device.hpp"
#include "platform/software/graphics_system.hpp"
#include "services/app_state.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"
#include "services/vertex_processing.hpp"
#include "support/scratch_folder.hpp"
#include "support/stand_in_device.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using testsupport::StandInGraphicsSystem;

namespace {
constexpr uint32_t pure = behaviourPureHardware;
constexpr uint32_t hw = CreateHardwareVertexProcessing;
constexpr uint32_t mixed = CreateMixedVertexProcessing;
constexpr uint32_t sw = CreateSoftwareVertexProcessing;

// Runs initGraphics on a fake system; returns the system for inspection.
StandInGraphicsSystem* initOnFake(std::vector<uint32_t> refusedKinds = {},
                                  std::vector<PixelFormat> refusedFormats = {}) {
    auto system = std::make_unique<StandInGraphicsSystem>();
    system->refusedKinds = std::move(refusedKinds);
    system->refusedFormats = std::move(refusedFormats);
    StandInGraphicsSystem* raw = system.get();
    initGraphicsWith(std::move(system));
    return raw;
}

void displayMode(int depth, int fullScreen) {
    settings.screenWidth = depth == 16 ? 800 : 1024;
    settings.screenHeight = depth == 16 ? 600 : 768;
    settings.colourDepth = depth;
    settings.fullScreen = fullScreen;
    settings.backBufferCount = 1;
}
}  // namespace

TEST(ServicesGraphicsSetup, LogLineForEveryModeAndRefusalPattern) {
    struct Case {
        int mode;
        std::vector<uint32_t> refused;
        std::vector<uint32_t> attempts;
        const char* line;
    };
    const std::vector<Case> cases{
        {0, {}, {pure}, "hardware VertexProcessing with PureDevice gewollt"},
        {0, {pure}, {pure, hw}, "hardware VertexProcessing ungewollt"},
        {0, {pure, hw}, {pure, hw, mixed}, "mixed VertexProcessing ungewollt"},
        {0, {pure, hw, mixed}, {pure, hw, mixed, sw}, "software VertexProcessing ungewollt"},
        {0, {hw, mixed, sw}, {pure}, "hardware VertexProcessing with PureDevice gewollt"},
        {1, {}, {hw}, "hardware VertexProcessing gewollt"},
        {1, {pure}, {hw}, "hardware VertexProcessing gewollt"},
        {1, {hw}, {hw, mixed}, "mixed VertexProcessing ungewollt"},
        {1, {hw, mixed}, {hw, mixed, sw}, "software VertexProcessing ungewollt"},
        {2, {}, {mixed}, "mixed VertexProcessing gewollt"},
        {2, {pure, hw}, {mixed}, "mixed VertexProcessing gewollt"},
        {2, {mixed}, {mixed, sw}, "software VertexProcessing ungewollt"},
        {3, {}, {sw}, "software VertexProcessing gewollt"},
        {3, {pure, hw, mixed}, {sw}, "software VertexProcessing gewollt"},
    };
    for (const Case& c : cases) {
        StandInGraphicsSystem system;
        system.refusedKinds = c.refused;
        DeviceCreation made = createDeviceForMode(system, c.mode, PresentParameters{});
        EXPECT_EQ(system.attempts, c.attempts) << "mode " << c.mode;
        ASSERT_NE(made.logLine, nullptr);
        EXPECT_STREQ(made.logLine, c.line);
        EXPECT_TRUE(made.device);
    }
    // The software attempt at the end of a row writes its line even when it fails.
    for (int mode : {0, 1, 2, 3}) {
        StandInGraphicsSystem system;
        system.refusedKinds = {pure, hw, mixed, sw};
        DeviceCreation made = createDeviceForMode(system, mode, PresentParameters{});
        EXPECT_FALSE(made.device);
        ASSERT_NE(made.logLine, nullptr);
        EXPECT_STREQ(made.logLine, mode == 3 ? "software VertexProcessing gewollt"
                                             : "software VertexProcessing ungewollt");
    }
    // Outside 0 to 3 nothing is tried.
    for (int mode : {-1, 4, 7}) {
        StandInGraphicsSystem system;
        DeviceCreation made = createDeviceForMode(system, mode, PresentParameters{});
        EXPECT_TRUE(system.attempts.empty());
        EXPECT_EQ(made.logLine, nullptr);
    }
}

TEST(ServicesGraphicsSetup, TheLogHoldsExactlyTheLineOfTheDeviceObtained) {
    ScratchFolder dir;
    displayMode(16, 1);
    settings.vertexProcessingMode = 1;
    initOnFake({hw});
    EXPECT_EQ(testsupport::readFile("Data/protokoll.txt"), "mixed VertexProcessing ungewollt\n");
    EXPECT_EQ(graphics.protocolLine, "mixed VertexProcessing ungewollt");
    ASSERT_TRUE(graphics.device);
    releaseGraphics();

    // Rewritten at every start.
    settings.vertexProcessingMode = 3;
    initOnFake();
    EXPECT_EQ(testsupport::readFile("Data/protokoll.txt"), "software VertexProcessing gewollt\n");
}

TEST(ServicesGraphicsSetupDeathTest, WithoutADeviceTheProgramEndsAndSaysWhy) {
    ScratchFolder dir;
    displayMode(16, 1);
    // Mode 7: no attempt, an empty log, and the program cannot go on.
    settings.vertexProcessingMode = 7;
    EXPECT_EXIT(initOnFake(), testing::ExitedWithCode(1), "vertex processing mode 7");
    EXPECT_TRUE(std::filesystem::exists("Data/protokoll.txt"));
    EXPECT_EQ(testsupport::readFile("Data/protokoll.txt"), "");

    // Every attempt refused: the software line is written, then the end.
    settings.vertexProcessingMode = 2;
    EXPECT_EXIT(initOnFake({pure, hw, mixed, sw}), testing::ExitedWithCode(1),
                "no graphics device");
    EXPECT_EQ(testsupport::readFile("Data/protokoll.txt"), "software VertexProcessing ungewollt\n");

    // A log that cannot be created ends the program, naming it.
    std::filesystem::remove("Data/protokoll.txt");
    std::filesystem::create_directories("Data/protokoll.txt");
    EXPECT_EXIT(initOnFake(), testing::ExitedWithCode(1), "Data/protokoll.txt: ");
}

// Full screen takes the first format of its depth that passes its check; a
// window takes the desktop's format after the checks, and its size. The
// presentation never waits for the display, so the cap alone sets the pace.
TEST(ServicesGraphicsSetup, TheBackBufferFormatIsTheFirstThatPassesItsCheck) {
    ScratchFolder dir;
    struct Case {
        int depth;
        bool windowed;
        std::vector<PixelFormat> refused;
        PixelFormat chosen;
    };
    const std::vector<Case> cases{
        {16, false, {}, PixelFormat::R5G6B5},
        {16, false, {PixelFormat::R5G6B5}, PixelFormat::X1R5G5B5},
        {16, false, {PixelFormat::R5G6B5, PixelFormat::X1R5G5B5}, PixelFormat::A1R5G5B5},
        {16,
         false,
         {PixelFormat::R5G6B5, PixelFormat::X1R5G5B5, PixelFormat::A1R5G5B5},
         PixelFormat::Unknown},
        {32, false, {}, PixelFormat::X8R8G8B8},
        {32, false, {PixelFormat::X8R8G8B8}, PixelFormat::A8R8G8B8},
        {32, false, {PixelFormat::X8R8G8B8, PixelFormat::A8R8G8B8}, PixelFormat::Unknown},
        {16, true, {}, PixelFormat::X8R8G8B8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + (c.windowed ? " windowed" : ""));
        graphics = Graphics{};
        displayMode(c.depth, c.windowed ? 0 : 1);
        StandInGraphicsSystem* sys = initOnFake({}, c.refused);
        const PresentParameters& p = sys->lastParams;
        EXPECT_EQ(graphics.backBufferFormat, c.chosen);
        EXPECT_EQ(p.backBufferFormat, c.chosen);
        EXPECT_EQ(p.windowed, c.windowed);
        EXPECT_EQ(p.flipSwapEffect, !c.windowed);
        EXPECT_EQ(p.backBufferWidth, c.windowed ? 0u : static_cast<uint32_t>(settings.screenWidth));
        EXPECT_EQ(p.backBufferHeight,
                  c.windowed ? 0u : static_cast<uint32_t>(settings.screenHeight));
        EXPECT_EQ(p.backBufferCount, 1u);
        EXPECT_TRUE(p.enableAutoDepthStencil);
        EXPECT_EQ(p.autoDepthStencilFormat, PixelFormat::D16);
        EXPECT_FALSE(p.waitForRetrace);
        if (c.windowed) {
            EXPECT_EQ(sys->formatChecks.size(), 1u);  // the checks still run
        }
        releaseGraphics();
    }
    // 16-bit checks pair the X1R5G5B5 display with the A1R5G5B5 back buffer.
    graphics = Graphics{};
    displayMode(16, 1);
    StandInGraphicsSystem* sys = initOnFake({}, {PixelFormat::R5G6B5, PixelFormat::X1R5G5B5});
    ASSERT_EQ(sys->formatChecks.size(), 3u);
    EXPECT_EQ(sys->formatChecks[2].first, PixelFormat::X1R5G5B5);
    EXPECT_EQ(sys->formatChecks[2].second, PixelFormat::A1R5G5B5);
}

TEST(ServicesGraphicsSetup, FixedStatesAndTheAspectRatio) {
    ScratchFolder dir;
    displayMode(32, 1);
    auto system = std::make_unique<StandInGraphicsSystem>();
    StandInGraphicsSystem* made = system.get();
    initGraphicsWith(std::move(system));
    ASSERT_NE(made->lastDevice, nullptr);
    EXPECT_EQ(made->lastDevice->calls,
              (std::vector<std::string>{
                  "samplerState 0 3 2", "samplerState 0 2 2", "samplerState 1 3 2",
                  "samplerState 1 2 2", "stageState 0 6 0", "stageState 1 6 0", "renderState 6 2",
                  "renderState 10 1", "renderState 13 1", "renderState 16 1", "renderState 0 1"}));
    EXPECT_FLOAT_EQ(graphics.aspectRatio, 4.0f / 3.0f);
}

TEST(ServicesGraphicsSetup, TheCameraLooksDownPlusZWithTheViewDistanceAsFarPlane) {
    ScratchFolder dir;
    displayMode(16, 1);
    settings.viewDistance = 500.0f;
    initOnFake();
    setUpCamera();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_FLOAT_EQ(graphics.viewMatrix.m[i][j], i == j ? 1.0f : 0.0f);
    const Mat4& p = graphics.projectionMatrix;
    EXPECT_NEAR(p.m[1][1], 1.0f / std::tan(0.7853982f / 2.0f), 1e-5f);
    EXPECT_NEAR(p.m[0][0], p.m[1][1] * 0.75f, 1e-5f);
    EXPECT_FLOAT_EQ(p.m[2][2], 500.0f / 499.0f);
    EXPECT_FLOAT_EQ(p.m[3][2], -500.0f / 499.0f);
    EXPECT_FLOAT_EQ(p.m[2][3], 1.0f);

    // Beyond the view distance a point lies past the far plane (depth > 1).
    auto far = transformPoint({0, 0, 501}, p);
    EXPECT_GT(far[2] / far[3], 1.0f);
    auto near = transformPoint({0, 0, 499}, p);
    EXPECT_LT(near[2] / near[3], 1.0f);

    // The device has both transforms; the shared product is ready for use.
    Mat4 onDevice;
    theDevice()->getTransform(TransformKind::Projection, onDevice);
    EXPECT_EQ(onDevice.m, p.m);
    EXPECT_EQ(graphics.viewProjection.m, matrixMultiply(graphics.viewMatrix, p).m);
}

TEST(ServicesGraphicsSetupDeathTest, WithoutItsTypefaceTheGameEndsNamingIt) {
    ScratchFolder dir;
    displayMode(16, 1);
    createFonts();
    // The device refuses textures, so no glyph atlas can be made.
    EXPECT_EXIT(
        {
            auto system = std::make_unique<StandInGraphicsSystem>();
            system->prepare = [](testsupport::StandInDevice& d) { d.failTextures = true; };
            initGraphicsWith(std::move(system));
            createFontResources();
        },
        testing::ExitedWithCode(1), "Times New Roman");
}

TEST(ServicesGraphicsSetup, TheSoftwareDeviceRefusesWhatItIsToldAndTheLogFollows) {
    ScratchFolder dir;
    displayMode(16, 0);
    struct Case {
        int mode;
        std::vector<uint32_t> refused;
        const char* line;
    };
    const std::vector<Case> cases{
        {0, {}, "hardware VertexProcessing with PureDevice gewollt\n"},
        {0, {pure}, "hardware VertexProcessing ungewollt\n"},
        {0, {pure, hw}, "mixed VertexProcessing ungewollt\n"},
        {0, {pure, hw, mixed}, "software VertexProcessing ungewollt\n"},
        {1, {hw}, "mixed VertexProcessing ungewollt\n"},
        {1, {pure}, "hardware VertexProcessing gewollt\n"},
        {2, {mixed}, "software VertexProcessing ungewollt\n"},
        {3, {}, "software VertexProcessing gewollt\n"},
    };
    for (const Case& c : cases) {
        SoftwareSystemOptions options;
        options.refusedBehaviours = c.refused;
        auto system = createSoftwareGraphicsSystem(nullptr, 800, 600, options);
        if (!system) GTEST_SKIP() << "needs the software device";
        settings.vertexProcessingMode = c.mode;
        initGraphicsWith(std::move(system));
        EXPECT_EQ(testsupport::readFile("Data/protokoll.txt"), c.line) << "mode " << c.mode;
        ASSERT_TRUE(theDevice());
        EXPECT_EQ(static_cast<SoftwareDevice*>(theDevice())->backBufferWidth(), 800);
        EXPECT_EQ(theDevice()->getRenderState(RenderState::CullMode), CullCW);
        releaseGraphics();
    }
}
