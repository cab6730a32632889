// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/rasteriser.hpp"

#include <algorithm>
#include <cmath>

namespace tiefschacht {

namespace swr {

int64_t snapToGrid(double v) {
    // Callers pass guard-band coordinates; the clamp only keeps the
    // conversion defined for anything else.
    return roundHalfUp(std::clamp(v * 256.0, -1.0e12, 1.0e12));
}

bool minifies(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
              const TextureView& tex) {
    double screen = std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
    double ua = a.uw / a.rhw * tex.width, va = a.vw / a.rhw * tex.height;
    double ub = b.uw / b.rhw * tex.width, vb = b.vw / b.rhw * tex.height;
    double uc = c.uw / c.rhw * tex.width, vc = c.vw / c.rhw * tex.height;
    double texels = std::fabs((ub - ua) * (vc - va) - (uc - ua) * (vb - va));
    return texels > screen;
}

namespace {

// An attribute as a plane over the screen: value(x, y) = a0 + dx * x + dy * y.
struct Plane {
    double a0 = 0, dx = 0, dy = 0;
    double at(double x, double y) const { return a0 + dx * x + dy * y; }
};

struct Gradients {
    double x0, y0, dxX, dxY, dyX, dyY;  // inverse of the 2x2 edge matrix
    bool degenerate;
};

Gradients gradients(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2) {
    double ax = v1.x - v0.x, ay = v1.y - v0.y;
    double bx = v2.x - v0.x, by = v2.y - v0.y;
    double det = ax * by - bx * ay;
    Gradients g{v0.x, v0.y, 0, 0, 0, 0, true};
    if (std::fabs(det) < 1e-12) return g;
    // d/dx and d/dy of an attribute with deltas (da1, da2) are
    // (da1 * by - da2 * ay) / det and (da2 * ax - da1 * bx) / det.
    g.dxX = by / det;
    g.dxY = -ay / det;
    g.dyX = -bx / det;
    g.dyY = ax / det;
    g.degenerate = false;
    return g;
}

Plane plane(const Gradients& g, double a0, double a1, double a2) {
    Plane p;
    if (g.degenerate) {
        p.a0 = a0;
        return p;
    }
    double d1 = a1 - a0, d2 = a2 - a0;
    p.dx = d1 * g.dxX + d2 * g.dxY;
    p.dy = d1 * g.dyX + d2 * g.dyY;
    p.a0 = a0 - p.dx * g.x0 - p.dy * g.y0;
    return p;
}

struct Edge {
    int64_t stepX = 0, stepY = 0;  // change per pixel right / down
    int64_t start = 0;             // value at the first pixel of the box, bias included
};

Edge makeEdge(int64_t xa, int64_t ya, int64_t xb, int64_t yb, int64_t px, int64_t py) {
    Edge e;
    int64_t dx = xb - xa, dy = yb - ya;
    // Points on a top or left edge belong to the triangle, others do not.
    bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    e.start = dx * (py - ya) - dy * (px - xa) - (topLeft ? 0 : 1);
    e.stepX = -dy * 256;
    e.stepY = dx * 256;
    return e;
}

int clampedPixel(int64_t fixedCoord, int limit, bool roundUp) {
    int64_t p = roundUp ? (fixedCoord + 255) >> 8 : fixedCoord >> 8;
    return static_cast<int>(std::clamp<int64_t>(p, 0, limit));
}

void rasteriseTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                       const PixelSetup& setup, const RenderTarget& target) {
    const ScreenVertex* v[3] = {&a, &b, &c};
    int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i) {
        X[i] = snapToGrid(v[i]->x);
        Y[i] = snapToGrid(v[i]->y);
    }
    int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
    if (area == 0) return;
    if (area < 0) {
        std::swap(X[1], X[2]);
        std::swap(Y[1], Y[2]);
        std::swap(v[1], v[2]);
    }
    int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
    int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
    if (maxX < 0 || maxY < 0) return;
    int x0 = clampedPixel(minX, target.width, true);
    int x1 = clampedPixel(maxX, target.width - 1, false);
    int y0 = clampedPixel(minY, target.height, true);
    int y1 = clampedPixel(maxY, target.height - 1, false);
    if (x0 > x1 || y0 > y1) return;

    int64_t px = int64_t{x0} * 256, py = int64_t{y0} * 256;
    Edge e[3] = {makeEdge(X[0], Y[0], X[1], Y[1], px, py), makeEdge(X[1], Y[1], X[2], Y[2], px, py),
                 makeEdge(X[2], Y[2], X[0], Y[0], px, py)};

    Gradients g = gradients(*v[0], *v[1], *v[2]);
    Plane pz = plane(g, v[0]->z, v[1]->z, v[2]->z);
    Plane prhw = plane(g, v[0]->rhw, v[1]->rhw, v[2]->rhw);
    Plane pu = plane(g, v[0]->uw, v[1]->uw, v[2]->uw);
    Plane pv = plane(g, v[0]->vw, v[1]->vw, v[2]->vw);
    Plane pc[4];
    for (int i = 0; i < 4; ++i)
        pc[i] = plane(g, v[0]->colourW[i], v[1]->colourW[i], v[2]->colourW[i]);

    const TextureView& tex = setup.texture;
    const bool linear = setup.sampler.linear;
    for (int y = y0; y <= y1; ++y) {
        int64_t e0 = e[0].start + e[0].stepY * (y - y0);
        int64_t e1 = e[1].start + e[1].stepY * (y - y0);
        int64_t e2 = e[2].start + e[2].stepY * (y - y0);
        size_t row = static_cast<size_t>(y) * target.width;
        for (int x = x0; x <= x1; ++x, e0 += e[0].stepX, e1 += e[1].stepX, e2 += e[2].stepX) {
            if ((e0 | e1 | e2) < 0) continue;
            double rhw = prhw.at(x, y);
            double inv = rhw != 0.0 ? 1.0 / rhw : 0.0;
            uint32_t colour = 0;
            for (int i = 0; i < 4; ++i) {
                double ch = std::floor(pc[i].at(x, y) * inv + 0.5);
                uint32_t channel = ch <= 0.0 ? 0u : ch >= 255.0 ? 255u : static_cast<uint32_t>(ch);
                colour |= channel << (24 - 8 * i);
            }
            int64_t fu = toFixed(pu.at(x, y) * inv, tex.width, linear);
            int64_t fv = toFixed(pv.at(x, y) * inv, tex.height, linear);
            shadePixel(setup, target, row + x, static_cast<float>(pz.at(x, y)), fu, fv, colour);
        }
    }
}

}  // namespace

void rasterisePolygon(const std::array<ScreenVertex, MaxPolygon>& poly, int count,
                      const PixelSetup& setup, const RenderTarget& target) {
    for (int i = 1; i + 1 < count; ++i)
        rasteriseTriangle(poly[0], poly[i], poly[i + 1], setup, target);
}

}  // namespace swr

}  // namespace tiefschacht
