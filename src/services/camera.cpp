// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed camera, and projecting world positions through it.
#include "services/camera.hpp"

#include "services/graphics.hpp"
#include "services/settings.hpp"

namespace tiefschacht {

namespace {
// viewProjection = viewMatrix x projectionMatrix.
void refreshViewProjection() {
    graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix);
}
}  // namespace

void setUpCamera() {
    graphics.cameraEye = {0.0f, 0.0f, 0.0f};
    graphics.cameraAt = {0.0f, 0.0f, 1.0f};
    graphics.cameraUp = {0.0f, 1.0f, 0.0f};
    graphics.viewMatrix = matrixLookAtLH(graphics.cameraEye, graphics.cameraAt, graphics.cameraUp);
    graphics.projectionMatrix = matrixPerspectiveFovLH(cameraFieldOfView, graphics.aspectRatio,
                                                       cameraNearPlane, settings.viewDistance);
    if (GraphicsDevice* d = theDevice()) {
        d->setTransform(TransformKind::View, graphics.viewMatrix);
        d->setTransform(TransformKind::Projection, graphics.projectionMatrix);
    }
    // Every projection (the cursor, the buttons' layout) uses this camera.
    refreshViewProjection();
}

ScreenPoint projectToScreen(const Vec3& p) {
    const auto& m = graphics.viewProjection.m;
    const float xp = p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0];
    const float yp = p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1];
    const float w = p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + m[3][3];
    const float width = static_cast<float>(settings.screenWidth);
    const float height = static_cast<float>(settings.screenHeight);
    return {(xp / w + 1.0f) * 0.5f * width, (1.0f - yp / w) * 0.5f * height};
}

}  // namespace tiefschacht
