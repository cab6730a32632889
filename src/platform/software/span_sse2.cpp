// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline span loops with SSE2, which every x86-64 processor has: two
// pixels per 128-bit register, 16 bits a channel.
#include "platform/software/span_kernel.hpp"

#if TIEFSCHACHT_X86_SPANS
#include <immintrin.h>

namespace tiefschacht {

namespace swr {
namespace {

inline __m128i div255v(__m128i x) {
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

inline __m128i widen2(uint32_t a, uint32_t b) {
    return _mm_unpacklo_epi8(_mm_set_epi32(0, 0, static_cast<int>(b), static_cast<int>(a)),
                             _mm_setzero_si128());
}

inline __m128i load64(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }

inline __m128i lanes(const std::array<uint16_t, 4>& v) {
    return _mm_set_epi16(static_cast<short>(v[3]), static_cast<short>(v[2]),
                         static_cast<short>(v[1]), static_cast<short>(v[0]),
                         static_cast<short>(v[3]), static_cast<short>(v[2]),
                         static_cast<short>(v[1]), static_cast<short>(v[0]));
}

// One rectangle's set-up with the stage factors in registers.
struct Sse2Loops {
    explicit Sse2Loops(const SpanKernel& kernel)
        : s(kernel), k(lanes(kernel.k)), c(lanes(kernel.c)) {}
    SpanKernel s;
    __m128i k, c;

    // Filters texture rows r0 and r1 into the line with weight fy.
    void filterLine(const uint32_t* r0, const uint32_t* r1, uint16_t weightY,
                    uint16_t* line) const {
        const __m128i fy = _mm_set1_epi16(static_cast<short>(weightY));
        const __m128i fyInv = _mm_set1_epi16(static_cast<short>(256 - weightY));
        const __m128i zero = _mm_setzero_si128();
        int x = s.lineFirst;
        for (; x + 4 <= s.lineLast + 1; x += 4) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + x));
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + x));
            __m128i lo =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), fyInv),
                                             _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), fy)),
                               8);
            __m128i hi =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), fyInv),
                                             _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), fy)),
                               8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(line + 4 * x), lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(line + 4 * x + 8), hi);
        }
        finishLine(s, r0, r1, weightY, x, line);
    }

    // Source colours of pixels i and j (j == i for a single pixel), 16 bits a channel.
    // With Adjacent, every pixel reads texel columns c and c + 1, so one load
    // brings both; Pair says j == i + 1, so the weights of both pixels lie
    // side by side.
    template <bool Linear, bool Adjacent, bool Identity, bool Pair>
    [[gnu::always_inline]] __m128i source(const uint32_t* r0, const uint16_t* line, int i,
                                          int j) const {
        __m128i texel;
        if constexpr (Linear) {
            __m128i left, right;
            if constexpr (Adjacent) {
                __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 4 * s.col0[i]));
                __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 4 * s.col0[j]));
                left = _mm_unpacklo_epi64(a, b);
                right = _mm_unpackhi_epi64(a, b);
            } else {
                left =
                    _mm_unpacklo_epi64(load64(line + 4 * s.col0[i]), load64(line + 4 * s.col0[j]));
                right =
                    _mm_unpacklo_epi64(load64(line + 4 * s.col1[i]), load64(line + 4 * s.col1[j]));
            }
            __m128i wx, wxInv;
            if constexpr (Pair) {
                wx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.colWeight + 4 * i));
                wxInv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.colWeightInv + 4 * i));
            } else {
                wx = _mm_unpacklo_epi64(load64(s.colWeight + 4 * i), load64(s.colWeight + 4 * j));
                wxInv = _mm_unpacklo_epi64(load64(s.colWeightInv + 4 * i),
                                           load64(s.colWeightInv + 4 * j));
            }
            texel = _mm_srli_epi16(
                _mm_add_epi16(_mm_mullo_epi16(left, wxInv), _mm_mullo_epi16(right, wx)), 8);
        } else {
            texel = widen2(r0[s.col0[i]], r0[s.col0[j]]);
        }
        if constexpr (Identity) return texel;
        return _mm_add_epi16(div255v(_mm_mullo_epi16(texel, k)), c);
    }

    // Blends two source pixels over dst[0..1] (one when single); packed results.
    template <BlendMode Mode>
    [[gnu::always_inline]] __m128i blendPair(__m128i src, const uint32_t* dst, bool single) const {
        __m128i s8 = _mm_packus_epi16(src, _mm_setzero_si128());
        if constexpr (Mode == BlendMode::Replace) return s8;
        __m128i d8 = single ? _mm_cvtsi32_si128(static_cast<int>(dst[0])) : load64(dst);
        if constexpr (Mode == BlendMode::Add) return _mm_adds_epu8(s8, d8);
        // Opaque and fully transparent pairs need no arithmetic: the blend
        // gives the source or leaves the destination exactly.
        const uint64_t alphas =
            static_cast<uint64_t>(_mm_cvtsi128_si64(s8)) & 0xFF000000FF000000ull;
        const uint64_t opaque = single ? (alphas | 0xFF00000000000000ull) : alphas;
        if (opaque == 0xFF000000FF000000ull) return s8;
        if ((single ? (alphas & 0xFF000000ull) : alphas) == 0) return d8;
        __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(src, 0xFF), 0xFF);
        __m128i inv = _mm_sub_epi16(_mm_set1_epi16(255), sa);
        __m128i d = _mm_unpacklo_epi8(d8, _mm_setzero_si128());
        __m128i x = _mm_add_epi16(_mm_mullo_epi16(src, sa), _mm_mullo_epi16(d, inv));
        return _mm_packus_epi16(div255v(x), _mm_setzero_si128());
    }

    bool passes(uint32_t pixel) const {
        return compare<uint32_t>(s.alphaFunc, pixel >> 24, s.alphaRef);
    }

    // All ones in the 32-bit lanes of the packed pixels whose alpha passes
    // the alpha test.
    __m128i passMask(__m128i s8) const {
        const __m128i a = _mm_srli_epi32(s8, 24);
        const __m128i ref = _mm_set1_epi32(static_cast<int>(s.alphaRef));
        const __m128i ones = _mm_set1_epi32(-1);
        switch (s.alphaFunc) {
        case 1: return _mm_setzero_si128();                           // never
        case 2: return _mm_cmpgt_epi32(ref, a);                       // less
        case 3: return _mm_cmpeq_epi32(a, ref);                       // equal
        case 4: return _mm_xor_si128(_mm_cmpgt_epi32(a, ref), ones);  // less or equal
        case 5: return _mm_cmpgt_epi32(a, ref);                       // greater
        case 6: return _mm_xor_si128(_mm_cmpeq_epi32(a, ref), ones);  // not equal
        case 7: return _mm_xor_si128(_mm_cmpgt_epi32(ref, a), ones);  // greater or equal
        default: return ones;                                         // always
        }
    }

    // Two pixels at dst after the alpha test and the blend: where a source
    // pixel fails the test, the target's pixel stays.
    template <BlendMode Mode, bool AlphaTest>
    [[gnu::always_inline]] __m128i testAndBlendPair(__m128i src, const uint32_t* dst) const {
        const __m128i out = blendPair<Mode>(src, dst, false);
        if constexpr (!AlphaTest) return out;
        const __m128i pass = passMask(_mm_packus_epi16(src, _mm_setzero_si128()));
        return _mm_or_si128(_mm_and_si128(pass, out), _mm_andnot_si128(pass, load64(dst)));
    }

    template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest, bool Identity>
    void row(uint32_t* dst, int count, const uint32_t* r0, const uint16_t* line) const {
        int i = 0;
        // Two pairs at a time, so that their independent arithmetic overlaps.
        for (; i + 4 <= count; i += 4) {
            __m128i a = source<Linear, Adjacent, Identity, true>(r0, line, i, i + 1);
            __m128i b = source<Linear, Adjacent, Identity, true>(r0, line, i + 2, i + 3);
            __m128i outA = testAndBlendPair<Mode, AlphaTest>(a, dst + i);
            __m128i outB = testAndBlendPair<Mode, AlphaTest>(b, dst + i + 2);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), outA);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i + 2), outB);
        }
        for (; i + 2 <= count; i += 2) {
            __m128i src = source<Linear, Adjacent, Identity, true>(r0, line, i, i + 1);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i),
                             testAndBlendPair<Mode, AlphaTest>(src, dst + i));
        }
        if (i < count) {
            __m128i src = source<Linear, Adjacent, Identity, false>(r0, line, i, i);
            if (AlphaTest && !passes(static_cast<uint32_t>(
                                 _mm_cvtsi128_si32(_mm_packus_epi16(src, _mm_setzero_si128())))))
                return;
            dst[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(blendPair<Mode>(src, dst + i, true)));
        }
    }
};

template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest, bool Identity>
void drawRows(const SpanKernel& kernel, const RowSource& r) {
    // A local copy: the stores into the target cannot alias it, so its
    // pointers and constants stay in registers through the loops.
    const Sse2Loops loops(kernel);
    const TextureView& tex = *r.tex;
    for (int y = 0; y < r.rows; ++y) {
        const uint32_t* texRow0 = tex.texels + static_cast<size_t>(r.row0[y]) * tex.width;
        if constexpr (Linear) {
            const uint32_t* texRow1 = tex.texels + static_cast<size_t>(r.row1[y]) * tex.width;
            loops.filterLine(texRow0, texRow1, r.rowWeight[y], r.line);
        }
        loops.row<Linear, Adjacent, Mode, AlphaTest, Identity>(
            r.target + static_cast<size_t>(y) * r.pitch, r.cols, texRow0, r.line);
    }
}

template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest>
void dispatchIdentity(bool identity, const SpanKernel& k, const RowSource& r) {
    identity ? drawRows<Linear, Adjacent, Mode, AlphaTest, true>(k, r)
             : drawRows<Linear, Adjacent, Mode, AlphaTest, false>(k, r);
}

template <bool Linear, bool Adjacent, BlendMode Mode>
void dispatchAlphaTest(const SpanCase& w, const SpanKernel& k, const RowSource& r) {
    w.alphaTest ? dispatchIdentity<Linear, Adjacent, Mode, true>(w.identity, k, r)
                : dispatchIdentity<Linear, Adjacent, Mode, false>(w.identity, k, r);
}

template <bool Linear, bool Adjacent>
void dispatchMode(const SpanCase& w, const SpanKernel& k, const RowSource& r) {
    switch (w.mode) {
    case BlendMode::Mix: dispatchAlphaTest<Linear, Adjacent, BlendMode::Mix>(w, k, r); break;
    case BlendMode::Add: dispatchAlphaTest<Linear, Adjacent, BlendMode::Add>(w, k, r); break;
    default: dispatchAlphaTest<Linear, Adjacent, BlendMode::Replace>(w, k, r); break;
    }
}

}  // namespace

void drawSpansBaseline(const SpanCase& which, const SpanKernel& k, const RowSource& r) {
    if (!which.linear)
        dispatchMode<false, false>(which, k, r);
    else if (which.adjacent)
        dispatchMode<true, true>(which, k, r);
    else
        dispatchMode<true, false>(which, k, r);
}

}  // namespace swr

}  // namespace tiefschacht

#endif  // TIEFSCHACHT_X86_SPANS
