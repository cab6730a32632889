// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/geometry.hpp"

#include <cmath>

namespace tiefschacht {

namespace swr {

namespace {

std::array<double, 4> colourChannels(uint32_t argb) {
    return {static_cast<double>((argb >> 24) & 0xFF), static_cast<double>((argb >> 16) & 0xFF),
            static_cast<double>((argb >> 8) & 0xFF), static_cast<double>(argb & 0xFF)};
}

template <typename V>
V lerpVertex(const V& a, const V& b, double t);

template <>
ClipVertex lerpVertex(const ClipVertex& a, const ClipVertex& b, double t) {
    ClipVertex r;
    r.x = a.x + (b.x - a.x) * t;
    r.y = a.y + (b.y - a.y) * t;
    r.z = a.z + (b.z - a.z) * t;
    r.w = a.w + (b.w - a.w) * t;
    r.u = a.u + (b.u - a.u) * t;
    r.v = a.v + (b.v - a.v) * t;
    for (int i = 0; i < 4; ++i) r.colour[i] = a.colour[i] + (b.colour[i] - a.colour[i]) * t;
    return r;
}

template <>
ScreenVertex lerpVertex(const ScreenVertex& a, const ScreenVertex& b, double t) {
    ScreenVertex r;
    r.x = a.x + (b.x - a.x) * t;
    r.y = a.y + (b.y - a.y) * t;
    r.z = a.z + (b.z - a.z) * t;
    r.rhw = a.rhw + (b.rhw - a.rhw) * t;
    r.uw = a.uw + (b.uw - a.uw) * t;
    r.vw = a.vw + (b.vw - a.vw) * t;
    for (int i = 0; i < 4; ++i) r.colourW[i] = a.colourW[i] + (b.colourW[i] - a.colourW[i]) * t;
    return r;
}

// One Sutherland-Hodgman step: keeps the part where dist(v) >= 0.
template <typename V, typename Dist>
int clipPlane(const std::array<V, MaxPolygon>& in, int n, std::array<V, MaxPolygon>& out,
              Dist dist) {
    int m = 0;
    for (int i = 0; i < n; ++i) {
        const V& a = in[i];
        const V& b = in[(i + 1) % n];
        double da = dist(a), db = dist(b);
        if (da >= 0) {
            if (m < MaxPolygon) out[m++] = a;
        }
        if ((da >= 0) != (db >= 0)) {
            // Interpolate from the inside end, so that an edge shared by two
            // polygons is cut at the same point whichever way it runs.
            const V& inside = da >= 0 ? a : b;
            const V& outside = da >= 0 ? b : a;
            double din = da >= 0 ? da : db, dout = da >= 0 ? db : da;
            double t = din / (din - dout);
            if (m < MaxPolygon) out[m++] = lerpVertex(inside, outside, t);
        }
    }
    return m;
}

bool finite(double v) { return std::isfinite(v); }

// w must stay clearly positive so the divide is defined.
constexpr double MinW = 1e-7;

}  // namespace

ClipVertex transformVertex(const Mat4& m, float x, float y, float z, float u, float v,
                           uint32_t argb) {
    ClipVertex r;
    double p[3] = {x, y, z};
    double out[4];
    for (int j = 0; j < 4; ++j) {
        out[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
    }
    r.x = out[0];
    r.y = out[1];
    r.z = out[2];
    r.w = out[3];
    r.u = u;
    r.v = v;
    r.colour = colourChannels(argb);
    return r;
}

ScreenVertex screenVertex(float x, float y, float z, float rhw, float u, float v, uint32_t argb) {
    ScreenVertex r;
    double w = rhw;
    // A 1/w that cannot divide (zero, negative, not a number) is taken as 1.
    if (!(w > 0.0) || !finite(w)) w = 1.0;
    r.x = x;
    r.y = y;
    r.z = z;
    r.rhw = w;
    r.uw = u * w;
    r.vw = v * w;
    auto c = colourChannels(argb);
    for (int i = 0; i < 4; ++i) r.colourW[i] = c[i] * w;
    return r;
}

ScreenVertex project(const ClipVertex& v, int width, int height) {
    const double halfW = width * 0.5, halfH = height * 0.5;
    const double rhw = 1.0 / v.w;
    ScreenVertex s;
    s.x = (v.x * rhw + 1.0) * halfW;
    s.y = (1.0 - v.y * rhw) * halfH;
    s.z = v.z * rhw;
    s.rhw = rhw;
    s.uw = v.u * rhw;
    s.vw = v.v * rhw;
    for (int c = 0; c < 4; ++c) s.colourW[c] = v.colour[c] * rhw;
    return s;
}

bool insideClipVolume(const ClipVertex& v) {
    return finite(v.x) && finite(v.y) && finite(v.z) && finite(v.w) && finite(v.u) && finite(v.v) &&
           v.z >= 0.0 && v.w - v.z >= 0.0 && v.w - MinW >= 0.0;
}

int clipAndProject(const ClipVertex (&tri)[3], int width, int height,
                   std::array<ScreenVertex, MaxPolygon>& out) {
    std::array<ClipVertex, MaxPolygon> a{}, b{};
    for (int i = 0; i < 3; ++i) {
        const ClipVertex& v = tri[i];
        if (!finite(v.x) || !finite(v.y) || !finite(v.z) || !finite(v.w) || !finite(v.u) ||
            !finite(v.v))
            return 0;
        a[i] = v;
    }
    int n = 3;
    n = clipPlane(a, n, b, [](const ClipVertex& v) { return v.z; });
    n = clipPlane(b, n, a, [](const ClipVertex& v) { return v.w - v.z; });
    n = clipPlane(a, n, b, [](const ClipVertex& v) { return v.w - MinW; });
    if (n < 3) return 0;
    for (int i = 0; i < n; ++i) out[i] = project(b[i], width, height);
    return n;
}

int clipToGuardBand(std::array<ScreenVertex, MaxPolygon>& poly, int count, int width, int height) {
    for (int i = 0; i < count; ++i) {
        const ScreenVertex& v = poly[i];
        if (!finite(v.x) || !finite(v.y) || !finite(v.z) || !finite(v.rhw) || !finite(v.uw) ||
            !finite(v.vw))
            return 0;
        for (double c : v.colourW)
            if (!finite(c)) return 0;
    }
    const double left = -GuardBand, top = -GuardBand;
    const double right = width + GuardBand, bottom = height + GuardBand;
    bool inside = true;
    for (int i = 0; i < count && inside; ++i) {
        const ScreenVertex& v = poly[i];
        inside = v.x >= left && v.x <= right && v.y >= top && v.y <= bottom;
    }
    if (inside) return count;
    std::array<ScreenVertex, MaxPolygon> tmp{};
    int n = count;
    n = clipPlane(poly, n, tmp, [&](const ScreenVertex& v) { return v.x - left; });
    n = clipPlane(tmp, n, poly, [&](const ScreenVertex& v) { return right - v.x; });
    n = clipPlane(poly, n, tmp, [&](const ScreenVertex& v) { return v.y - top; });
    n = clipPlane(tmp, n, poly, [&](const ScreenVertex& v) { return bottom - v.y; });
    // Rounding may leave a new vertex a hair outside: pin it to the band.
    for (int i = 0; i < n; ++i) {
        poly[i].x = std::fmin(std::fmax(poly[i].x, left), right);
        poly[i].y = std::fmin(std::fmax(poly[i].y, top), bottom);
    }
    return n >= 3 ? n : 0;
}

double signedArea(const std::array<ScreenVertex, MaxPolygon>& poly, int count) {
    double area = 0.0;
    for (int i = 1; i + 1 < count; ++i) {
        area += (poly[i].x - poly[0].x) * (poly[i + 1].y - poly[0].y) -
                (poly[i + 1].x - poly[0].x) * (poly[i].y - poly[0].y);
    }
    return area;
}

}  // namespace swr

}  // namespace tiefschacht
