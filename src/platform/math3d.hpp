// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vectors and 4x4 matrices in the row-vector convention (translation in the
// fourth row), with the left-handed camera matrices the game's camera uses.
#include <array>
#include <cmath>
#include <cstdint>

namespace tiefschacht {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Mat4 {
    // m[row][column]; m[3][0..2] is the translation.
    std::array<std::array<float, 4>, 4> m{};

    static Mat4 identity() {
        Mat4 r;
        for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
        return r;
    }
};

// The ordinary matrix product a x b (apply a first, then b, for row vectors).
Mat4 matrixMultiply(const Mat4& a, const Mat4& b);

// Left-handed look-at view matrix.
Mat4 matrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);

// Left-handed perspective projection: depth maps near..far to 0..1.
Mat4 matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// Row vector (x, y, z, 1) times m; returns the four components.
std::array<float, 4> transformPoint(const Vec3& p, const Mat4& m);

// Float to 32-bit integer, rounding toward zero. Values beyond the integer
// range saturate and NaN gives the lowest value, so no input is undefined
// (a cell index or a pixel position made from it then lies far outside).
int32_t truncToInt(float value);

}  // namespace tiefschacht
