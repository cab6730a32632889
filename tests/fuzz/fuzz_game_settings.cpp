// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Data/SpielEinstellungen.txt: the view distance. It sets the far plane of
// the camera, so a few squares are drawn through that camera on the software
// device: no distance the file gives may break the drawing.
#include <array>
#include <cmath>
#include <memory>

#include "drawing/quad.hpp"
#include "fuzz_support.hpp"
#include "platform/software/device.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"

using namespace tiefschacht;

namespace {
constexpr int screenWidth = 64;
constexpr int screenHeight = 48;

// Play plane, menu plane, very near, behind the eye and far away.
constexpr std::array<Vec3, 6> positions = {{
    {0.0f, 0.0f, 40.0f},
    {-20.0f, 15.0f, 60.0f},
    {0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, -5.0f},
    {3.0f, -2.0f, 5000.0f},
    {0.0f, 0.0f, 0.5f},
}};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(gameSettingsFile, data, size);
    readGameSettings();
    // Whatever the file says, the far plane lies beyond the near one.
    FUZZ_CHECK(std::isfinite(settings.viewDistance) && settings.viewDistance > cameraNearPlane);

    graphics.device = std::make_unique<SoftwareDevice>(nullptr, screenWidth, screenHeight,
                                                       PixelFormat::A8R8G8B8, true, 0);
    graphics.aspectRatio = static_cast<float>(screenWidth) / static_cast<float>(screenHeight);
    setUpCamera();
    createQuadBuffer();
    FUZZ_CHECK(quads.quadBuffer != nullptr);
    GraphicsDevice& device = *graphics.device;
    device.clear(0xFF000000u, 1.0f);
    device.beginScene();
    for (const Vec3& p : positions) {
        drawQuad(p, nullptr);
        drawQuadAdditive(p, nullptr);
    }
    device.endScene();
    releaseQuadBuffer();
    graphics.device.reset();
    return 0;
}
