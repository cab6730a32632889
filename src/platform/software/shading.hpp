// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-pixel arithmetic of the software device: texture addressing and
// filtering on 1/256-texel fixed-point coordinates, the texture-stage colour
// combination, the alpha test and the blend. Both rasterisers (the general
// triangle path and the rectangle fast path) use exactly these formulas, so
// they agree pixel for pixel whenever they see the same coordinates.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tiefschacht {

namespace swr {

// round(x / 255) for 0 <= x <= 65535 (and within one for larger sums).
inline uint32_t div255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

inline uint32_t channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFFu; }

inline uint32_t packArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// A texture as the samplers see it: ARGB8888 texels, rows tightly packed.
struct TextureView {
    const uint32_t* texels = nullptr;
    int width = 0;
    int height = 0;
    bool opaque = false;  // every texel has alpha 255
};

// The one texel every untextured draw reads: opaque white.
inline constexpr uint32_t whiteTexel = 0xFFFFFFFFu;
inline TextureView whiteTexture() { return TextureView{&whiteTexel, 1, 1, true}; }

// Texture coordinate -> fixed point in 1/256 texel. Linear filtering moves
// the origin half a texel so that texel centres sit at (i + 0.5) / size.
// NaN and absurd values are pinned so the integer conversion stays defined.
// floor(v + 0.5) for |v| <= 1e12, without a library call.
inline int64_t roundHalfUp(double v) {
    double h = v + 0.5;
    int64_t i = static_cast<int64_t>(h);
    return h < static_cast<double>(i) ? i - 1 : i;
}

inline int64_t toFixed(double t, int size, bool linear) {
    double s = t * static_cast<double>(size) * 256.0 - (linear ? 128.0 : 0.0);
    if (!(s == s)) s = 0.0;
    s = std::clamp(s, -1.0e12, 1.0e12);
    return roundHalfUp(s);
}

inline int addressIndex(int64_t i, int size, bool wrap) {
    if (i >= 0 && i < size) return static_cast<int>(i);
    if (wrap) {
        int64_t m = i % size;
        if (m < 0) m += size;
        return static_cast<int>(m);
    }
    if (i < 0) return 0;
    if (i >= size) return size - 1;
    return static_cast<int>(i);
}

// a + (b - a) * f / 256 per channel, as (a * (256 - f) + b * f) >> 8.
inline uint32_t lerpTexel(uint32_t a, uint32_t b, uint32_t f) {
    uint32_t out = 0;
    for (int s = 0; s < 32; s += 8) {
        uint32_t c = (channel(a, s) * (256 - f) + channel(b, s) * f) >> 8;
        out |= c << s;
    }
    return out;
}

struct SamplerSetup {
    bool linear = false;
    bool wrapU = true;
    bool wrapV = true;
};

inline uint32_t sampleTexel(const TextureView& tex, const SamplerSetup& s, int64_t fu, int64_t fv) {
    if (!s.linear) {
        int x = addressIndex(fu >> 8, tex.width, s.wrapU);
        int y = addressIndex(fv >> 8, tex.height, s.wrapV);
        return tex.texels[static_cast<size_t>(y) * tex.width + x];
    }
    int64_t ix = fu >> 8, iy = fv >> 8;
    uint32_t fx = static_cast<uint32_t>(fu & 255), fy = static_cast<uint32_t>(fv & 255);
    int x0 = addressIndex(ix, tex.width, s.wrapU), x1 = addressIndex(ix + 1, tex.width, s.wrapU);
    int y0 = addressIndex(iy, tex.height, s.wrapV), y1 = addressIndex(iy + 1, tex.height, s.wrapV);
    const uint32_t* r0 = tex.texels + static_cast<size_t>(y0) * tex.width;
    const uint32_t* r1 = tex.texels + static_cast<size_t>(y1) * tex.width;
    // Columns first (down), then across: the span drawer filters a whole
    // texture row pair once and then each pixel from that line.
    uint32_t left = lerpTexel(r0[x0], r1[x0], fy);
    uint32_t right = lerpTexel(r0[x1], r1[x1], fy);
    return lerpTexel(left, right, fx);
}

// Texture-stage operations and arguments as the device numbers them.
enum class StageOp { Disable, SelectArg1, SelectArg2, Modulate };
enum class StageArg { Texture, Diffuse };

struct CombineSetup {
    StageOp colourOp = StageOp::Modulate;
    StageArg colourArg1 = StageArg::Texture;
    StageArg colourArg2 = StageArg::Diffuse;
    StageOp alphaOp = StageOp::SelectArg1;
    StageArg alphaArg1 = StageArg::Texture;
    StageArg alphaArg2 = StageArg::Diffuse;
};

inline uint32_t stageValue(StageArg a, uint32_t texel, uint32_t diffuse) {
    return a == StageArg::Texture ? texel : diffuse;
}

inline uint32_t applyOp(StageOp op, uint32_t v1, uint32_t v2, uint32_t diffuse) {
    switch (op) {
    case StageOp::Disable: return diffuse;
    case StageOp::SelectArg1: return v1;
    case StageOp::SelectArg2: return v2;
    case StageOp::Modulate: return div255(v1 * v2);
    }
    return diffuse;
}

// Colour of stage 0 from the texel and the interpolated diffuse colour.
inline uint32_t combine(const CombineSetup& c, uint32_t texel, uint32_t diffuse) {
    uint32_t out = 0;
    for (int s = 0; s < 24; s += 8) {
        uint32_t v1 = channel(stageValue(c.colourArg1, texel, diffuse), s);
        uint32_t v2 = channel(stageValue(c.colourArg2, texel, diffuse), s);
        out |= applyOp(c.colourOp, v1, v2, channel(diffuse, s)) << s;
    }
    uint32_t a1 = channel(stageValue(c.alphaArg1, texel, diffuse), 24);
    uint32_t a2 = channel(stageValue(c.alphaArg2, texel, diffuse), 24);
    out |= applyOp(c.alphaOp, a1, a2, channel(diffuse, 24)) << 24;
    return out;
}

// Compare functions of the alpha and depth tests (values as the device numbers them).
template <typename T>
inline bool compare(uint32_t func, T value, T reference) {
    switch (func) {
    case 1: return false;               // never
    case 2: return value < reference;   // less
    case 3: return value == reference;  // equal
    case 4: return value <= reference;  // less or equal
    case 5: return value > reference;   // greater
    case 6: return value != reference;  // not equal
    case 7: return value >= reference;  // greater or equal
    default: return true;               // always (and anything unknown)
    }
}

enum class BlendFactor { Zero, One, SrcAlpha, InvSrcAlpha };

inline uint32_t factorValue(BlendFactor f, uint32_t srcAlpha) {
    switch (f) {
    case BlendFactor::Zero: return 0;
    case BlendFactor::One: return 255;
    case BlendFactor::SrcAlpha: return srcAlpha;
    case BlendFactor::InvSrcAlpha: return 255 - srcAlpha;
    }
    return 255;
}

struct BlendSetup {
    bool enabled = false;
    BlendFactor src = BlendFactor::One;
    BlendFactor dst = BlendFactor::Zero;
};

// Saturating src * fs + dst * fd on every channel, alpha included.
inline uint32_t blend(const BlendSetup& b, uint32_t src, uint32_t dst) {
    if (!b.enabled) return src;
    uint32_t sa = channel(src, 24);
    uint32_t fs = factorValue(b.src, sa), fd = factorValue(b.dst, sa);
    uint32_t out = 0;
    for (int s = 0; s < 32; s += 8) {
        uint32_t c = div255(channel(src, s) * fs + channel(dst, s) * fd);
        out |= std::min(c, 255u) << s;
    }
    return out;
}

// Everything a draw needs per pixel, resolved from the device's states.
struct PixelSetup {
    TextureView texture = whiteTexture();
    SamplerSetup sampler;
    CombineSetup combine;
    bool alphaTest = false;
    uint32_t alphaFunc = 8;
    uint32_t alphaRef = 0;
    BlendSetup blend;
    bool depthTest = false;
    bool depthWrite = false;
    uint32_t depthFunc = 4;
};

// The surfaces a draw writes: ARGB8888 colour and float depth, same size.
struct RenderTarget {
    uint32_t* colour = nullptr;
    float* depth = nullptr;
    int width = 0;
    int height = 0;
};

// Shades one covered pixel (coordinates already resolved) and writes it.
inline void shadePixel(const PixelSetup& p, const RenderTarget& t, size_t index, float z,
                       int64_t fu, int64_t fv, uint32_t diffuse) {
    if (p.depthTest && !compare<float>(p.depthFunc, z, t.depth[index])) return;
    uint32_t texel = sampleTexel(p.texture, p.sampler, fu, fv);
    uint32_t src = combine(p.combine, texel, diffuse);
    if (p.alphaTest && !compare<uint32_t>(p.alphaFunc, src >> 24, p.alphaRef)) return;
    t.colour[index] = blend(p.blend, src, t.colour[index]);
    if (p.depthWrite) t.depth[index] = z;
}

}  // namespace swr

}  // namespace tiefschacht
