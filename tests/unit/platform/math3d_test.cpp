// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/math3d.hpp"

#include <gtest/gtest.h>

using namespace tiefschacht;

TEST(Math3d, CameraMatricesMapTheMenuPlaneCentreToTheScreenCentre) {
    Mat4 view = matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_FLOAT_EQ(view.m[i][j], i == j ? 1.0f : 0.0f);
    Mat4 proj = matrixPerspectiveFovLH(0.7853982f, 4.0f / 3.0f, 1.0f, 1000.0f);
    auto p = transformPoint({0, 0, 60}, matrixMultiply(view, proj));
    EXPECT_FLOAT_EQ(p[0] / p[3], 0.0f);
    EXPECT_FLOAT_EQ(p[1] / p[3], 0.0f);
    EXPECT_FLOAT_EQ(p[3], 60.0f);
    // Depth 1 at the near plane maps to 0, at the far plane to 1.
    auto n = transformPoint({0, 0, 1}, proj);
    auto f = transformPoint({0, 0, 1000}, proj);
    EXPECT_NEAR(n[2] / n[3], 0.0f, 1e-6f);
    EXPECT_NEAR(f[2] / f[3], 1.0f, 1e-6f);
    // The top of the view at depth 40 is 40 tan(pi/8).
    auto top = transformPoint({0, 40.0f * 0.41421356f, 40}, proj);
    EXPECT_NEAR(top[1] / top[3], 1.0f, 1e-5f);
}
