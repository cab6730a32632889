// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed camera the game looks through, and the projection of world
// positions to screen pixels with it.
#include "platform/math3d.hpp"

namespace tiefschacht {

constexpr float cameraFieldOfView = 0.7853982f;  // pi / 4
constexpr float cameraNearPlane = 1.0f;

// The view and projection matrices (into graphics and onto the device) for
// the configured screen and view distance.
void setUpCamera();

struct ScreenPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A world position to screen pixels through graphics.viewProjection.
ScreenPoint projectToScreen(const Vec3& position);

}  // namespace tiefschacht
