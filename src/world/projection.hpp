#pragma once
#include "platform/math3d.hpp"

struct ScreenPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A world position to screen pixels through graphics.viewProjection.
ScreenPoint projectToScreen(const Vec3& position);
