#include "app/graphics.hpp"
#include "app/settings.hpp"

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
    // Until a screen refreshes it, projections use the camera just set.
    refreshViewProjection();
}

void refreshViewProjection() {
    graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix);
}
