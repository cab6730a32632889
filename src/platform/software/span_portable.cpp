// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The span loops in plain C++: the baseline of a processor family without
// vector loops here or of a build that asks for none, and on every build the
// loops a device can be asked for by name (so their pixels are tested
// wherever the tests run). One pixel at a time, with the vector loops'
// arithmetic channel by channel (16-bit intermediates that never overflow,
// the packing's saturation to 255), so the pixels are the same.
#include <algorithm>

#include "platform/software/span_kernel.hpp"

namespace tiefschacht {

namespace swr {
namespace {

// One source pixel, 16 bits a channel (memory order b, g, r, a).
using Wide = std::array<uint32_t, 4>;

template <bool Linear, bool Identity>
Wide source(const SpanKernel& k, const uint32_t* r0, const uint16_t* line, int i) {
    Wide s{};
    for (int ch = 0; ch < 4; ++ch) {
        uint32_t texel;
        if constexpr (Linear) {
            const uint32_t left = line[4 * k.col0[i] + ch], right = line[4 * k.col1[i] + ch];
            texel = (left * k.colWeightInv[4 * i + ch] + right * k.colWeight[4 * i + ch]) >> 8;
        } else {
            texel = channel(r0[k.col0[i]], 8 * ch);
        }
        s[ch] = Identity ? texel : div255(texel * k.k[ch]) + k.c[ch];
    }
    return s;
}

uint32_t pack(const Wide& s) {
    uint32_t out = 0;
    for (int ch = 0; ch < 4; ++ch) out |= std::min(s[ch], 255u) << (8 * ch);
    return out;
}

template <BlendMode Mode>
uint32_t blendPixel(const Wide& s, uint32_t dst) {
    const uint32_t s8 = pack(s);
    if constexpr (Mode == BlendMode::Replace) return s8;
    uint32_t out = 0;
    for (int ch = 0; ch < 4; ++ch) {
        const uint32_t d = channel(dst, 8 * ch);
        uint32_t v;
        if constexpr (Mode == BlendMode::Add)
            v = std::min(channel(s8, 8 * ch) + d, 255u);
        else
            v = std::min(div255(s[ch] * s[3] + d * (255 - s[3])), 255u);
        out |= v << (8 * ch);
    }
    return out;
}

template <bool Linear, BlendMode Mode, bool AlphaTest, bool Identity>
void drawRows(const SpanKernel& k, const RowSource& r) {
    const TextureView& tex = *r.tex;
    for (int y = 0; y < r.rows; ++y) {
        const uint32_t* texRow0 = tex.texels + static_cast<size_t>(r.row0[y]) * tex.width;
        if constexpr (Linear) {
            const uint32_t* texRow1 = tex.texels + static_cast<size_t>(r.row1[y]) * tex.width;
            finishLine(k, texRow0, texRow1, r.rowWeight[y], k.lineFirst, r.line);
        }
        uint32_t* dst = r.target + static_cast<size_t>(y) * r.pitch;
        for (int i = 0; i < r.cols; ++i) {
            const Wide s = source<Linear, Identity>(k, texRow0, r.line, i);
            if (AlphaTest && !compare<uint32_t>(k.alphaFunc, std::min(s[3], 255u), k.alphaRef))
                continue;
            dst[i] = blendPixel<Mode>(s, dst[i]);
        }
    }
}

template <bool Linear, BlendMode Mode, bool AlphaTest>
void dispatchIdentity(bool identity, const SpanKernel& k, const RowSource& r) {
    identity ? drawRows<Linear, Mode, AlphaTest, true>(k, r)
             : drawRows<Linear, Mode, AlphaTest, false>(k, r);
}

template <bool Linear, BlendMode Mode>
void dispatchAlphaTest(const SpanCase& w, const SpanKernel& k, const RowSource& r) {
    w.alphaTest ? dispatchIdentity<Linear, Mode, true>(w.identity, k, r)
                : dispatchIdentity<Linear, Mode, false>(w.identity, k, r);
}

template <bool Linear>
void dispatchMode(const SpanCase& w, const SpanKernel& k, const RowSource& r) {
    switch (w.mode) {
    case BlendMode::Mix: dispatchAlphaTest<Linear, BlendMode::Mix>(w, k, r); break;
    case BlendMode::Add: dispatchAlphaTest<Linear, BlendMode::Add>(w, k, r); break;
    default: dispatchAlphaTest<Linear, BlendMode::Replace>(w, k, r); break;
    }
}

}  // namespace

void drawSpansPortable(const SpanCase& which, const SpanKernel& k, const RowSource& r) {
    which.linear ? dispatchMode<true>(which, k, r) : dispatchMode<false>(which, k, r);
}

#if !TIEFSCHACHT_X86_SPANS
// Without vector loops the plain ones are the baseline, and nothing is wider.
void drawSpansBaseline(const SpanCase& which, const SpanKernel& k, const RowSource& r) {
    drawSpansPortable(which, k, r);
}

bool drawSpansWide(const SpanCase&, const SpanKernel&, const RowSource&) { return false; }

bool wideVectorsAvailable() { return false; }
#endif  // !TIEFSCHACHT_X86_SPANS

}  // namespace swr

}  // namespace tiefschacht
