#include <gtest/gtest.h>

#include "platform/presentation_choice.hpp"

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

    EXPECT_EQ(choosePresentation("opengl", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)"), Accelerated);
    EXPECT_EQ(choosePresentation("opengl", "NVIDIA GeForce GTX 1060/PCIe/SSE2"), Accelerated);
    EXPECT_EQ(choosePresentation("opengles2", "AMD Radeon RX 580 (radeonsi, polaris10)"), Accelerated);
    EXPECT_EQ(choosePresentation("opengl", ""), Accelerated);
    // Only an OpenGL renderer's rasteriser is asked about.
    EXPECT_EQ(choosePresentation("direct3d11", "llvmpipe"), Accelerated);
}
