// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Recognising the rectangle fast path's shape: two triangles that together
// make an axis-aligned rectangle on screen, with one depth, one 1/w, one
// colour, and texture coordinates that follow x and y separately.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "platform/software/screen_rect.hpp"

namespace tiefschacht {

namespace swr {

bool findScreenRect(const ScreenVertex* const (&c)[6], ScreenRect& out) {
    const ScreenVertex& first = *c[0];
    double xa = first.x, xb = first.x, ya = first.y, yb = first.y;
    for (const ScreenVertex* v : c) {
        if (v->z != first.z || v->rhw != first.rhw || v->colourW != first.colourW) return false;
        if (!std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->uw) ||
            !std::isfinite(v->vw) || !std::isfinite(v->z))
            return false;
        xa = std::min(xa, v->x);
        xb = std::max(xb, v->x);
        ya = std::min(ya, v->y);
        yb = std::max(yb, v->y);
    }
    if (!(xa < xb) || !(ya < yb)) return false;
    // Corner number: bit 0 set on the right edge, bit 1 on the bottom edge.
    int id[6];
    for (int k = 0; k < 6; ++k) {
        const ScreenVertex& v = *c[k];
        if ((v.x != xa && v.x != xb) || (v.y != ya && v.y != yb)) return false;
        id[k] = (v.x == xb ? 1 : 0) | (v.y == yb ? 2 : 0);
    }
    unsigned maskA = 0, maskB = 0;
    for (int k = 0; k < 3; ++k) {
        maskA |= 1u << id[k];
        maskB |= 1u << id[k + 3];
    }
    // Each triangle has three corners; together all four, sharing a diagonal
    // (the corners 0 and 3, or 1 and 2).
    auto bits = [](unsigned m) { return std::popcount(m); };
    unsigned shared = maskA & maskB;
    if (bits(maskA) != 3 || bits(maskB) != 3 || (maskA | maskB) != 0xF) return false;
    if (shared != 0x9 && shared != 0x6) return false;
    // Texture coordinates: u follows x only and v follows y only.
    std::array<double, 2> u{}, v{};
    std::array<bool, 2> uSet{}, vSet{};
    for (int k = 0; k < 6; ++k) {
        int col = id[k] & 1, row = id[k] >> 1;
        if (uSet[col] && u[col] != c[k]->uw) return false;
        if (vSet[row] && v[row] != c[k]->vw) return false;
        u[col] = c[k]->uw;
        v[row] = c[k]->vw;
        uSet[col] = vSet[row] = true;
    }
    const double inv = 1.0 / first.rhw;
    out.left = xa;
    out.right = xb;
    out.top = ya;
    out.bottom = yb;
    out.uLeft = u[0] * inv;
    out.uRight = u[1] * inv;
    out.vTop = v[0] * inv;
    out.vBottom = v[1] * inv;
    out.z = static_cast<float>(first.z);
    uint32_t colour = 0;
    for (int i = 0; i < 4; ++i) {
        double ch = std::floor(first.colourW[i] * inv + 0.5);
        uint32_t cc = ch <= 0.0 ? 0u : ch >= 255.0 ? 255u : static_cast<uint32_t>(ch);
        colour |= cc << (24 - 8 * i);
    }
    out.diffuse = colour;
    return true;
}

}  // namespace swr

}  // namespace tiefschacht
