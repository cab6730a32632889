// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/sdl/presentation_choice.hpp"
#include "support/scratch_folder.hpp"

using namespace tiefschacht;

// Frames go through SDL's software path where OpenGL rasterises on the
// processor or where there is no renderer at all; a GPU's renderer is kept,
// and so is one whose rasteriser cannot be told.
TEST(PlatformPresentationChoice, SoftwareOpenGlOrNoneMeansTheSoftwarePath) {
    using enum PresentationKind;
    EXPECT_EQ(choosePresentation("opengl", "llvmpipe (LLVM 15.0.6, 256 bits)"), Software);
    EXPECT_EQ(choosePresentation("opengl", "softpipe"), Software);
    EXPECT_EQ(choosePresentation("opengles2", "Mesa OffScreen swrast"), Software);
    EXPECT_EQ(choosePresentation("opengl", "Gallium 0.4 on LLVMPIPE"), Software);
    EXPECT_EQ(choosePresentation("software", ""), Software);
    EXPECT_EQ(choosePresentation("", ""), Software);

    EXPECT_EQ(choosePresentation("opengl", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)"),
              Accelerated);
    EXPECT_EQ(choosePresentation("opengl", "NVIDIA GeForce GTX 1060/PCIe/SSE2"), Accelerated);
    EXPECT_EQ(choosePresentation("opengles2", "AMD Radeon RX 580 (radeonsi, polaris10)"),
              Accelerated);
    EXPECT_EQ(choosePresentation("opengl", ""), Accelerated);
    // Only an OpenGL renderer's rasteriser is asked about.
    EXPECT_EQ(choosePresentation("direct3d11", "llvmpipe"), Accelerated);
}

// Without a node a GPU driver works through, no renderer is made just to
// learn that OpenGL would be a software rasteriser.
TEST(PlatformPresentationChoice, AGpuDeviceIsADrmNodeOrAnNvidiaDevice) {
    testsupport::ScratchFolder dir;
    const std::filesystem::path devices = dir.path() / "dev";
    std::filesystem::create_directories(devices / "dri/by-path");
    testsupport::writeFile(devices / "null", "");
    EXPECT_FALSE(gpuDevicePresent(devices));
    EXPECT_FALSE(gpuDevicePresent(dir.path() / "missing"));

    testsupport::writeFile(devices / "dri/renderD128", "");
    EXPECT_TRUE(gpuDevicePresent(devices));
    std::filesystem::remove(devices / "dri/renderD128");
    testsupport::writeFile(devices / "dri/card0", "");
    EXPECT_TRUE(gpuDevicePresent(devices));
    std::filesystem::remove_all(devices / "dri");
    testsupport::writeFile(devices / "nvidia0", "");
    EXPECT_TRUE(gpuDevicePresent(devices));
}
