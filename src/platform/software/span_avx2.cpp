// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The wide span loops with AVX2, eight pixels at a time, for the common
// cases: linear filtering from neighbouring texel columns in rows of eight
// pixels or more, with or without the alpha test (tiles and sprites
// without, text with). They are compiled for AVX2 alone and chosen at run
// time, so the program still starts on a processor without it. The same
// arithmetic as the baseline loops, so both give the same pixels.
#include "platform/software/span_kernel.hpp"

#if TIEFSCHACHT_X86_SPANS
#include <immintrin.h>

namespace tiefschacht {

namespace swr {
namespace {

#define WIDE __attribute__((target("avx2")))

WIDE inline __m256i lanesWide(const std::array<uint16_t, 4>& v) {
    const auto q = static_cast<long long>(uint64_t{v[0]} | uint64_t{v[1]} << 16 |
                                          uint64_t{v[2]} << 32 | uint64_t{v[3]} << 48);
    return _mm256_set1_epi64x(q);
}

WIDE inline __m256i div255Wide(__m256i x) {
    x = _mm256_add_epi16(x, _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

WIDE void filterLineWide(const SpanKernel& k, const uint32_t* r0, const uint32_t* r1,
                         uint16_t weightY, uint16_t* line) {
    const __m256i fy = _mm256_set1_epi16(static_cast<short>(weightY));
    const __m256i fyInv = _mm256_set1_epi16(static_cast<short>(256 - weightY));
    int x = k.lineFirst;
    for (; x + 4 <= k.lineLast + 1; x += 4) {
        __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + x)));
        __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + x)));
        __m256i v = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(a, fyInv), _mm256_mullo_epi16(b, fy)), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + 4 * x), v);
    }
    finishLine(k, r0, r1, weightY, x, line);
}

// Source colours of pixels i .. i + 3, 16 bits a channel: pixels i and i + 1
// in the low half, i + 2 and i + 3 in the high half.
template <bool Identity>
WIDE inline __m256i sourceWide(const SpanKernel& k, __m256i kk, __m256i cc, const uint16_t* line,
                               int i) {
    // Line entries are four lanes of 16 bits: index them as 64-bit units so
    // that the column index scales in the address.
    const auto* entries = reinterpret_cast<const uint64_t*>(line);
    const int32_t* col = k.col0 + i;
    auto texels = [entries](int32_t c) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + c));
    };
    __m256i a = _mm256_inserti128_si256(_mm256_castsi128_si256(texels(col[0])), texels(col[2]), 1);
    __m256i b = _mm256_inserti128_si256(_mm256_castsi128_si256(texels(col[1])), texels(col[3]), 1);
    __m256i left = _mm256_unpacklo_epi64(a, b), right = _mm256_unpackhi_epi64(a, b);
    __m256i wx = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k.colWeight + 4 * i));
    __m256i wxInv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k.colWeightInv + 4 * i));
    __m256i texel = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(left, wxInv), _mm256_mullo_epi16(right, wx)), 8);
    if constexpr (Identity) return texel;
    return _mm256_add_epi16(div255Wide(_mm256_mullo_epi16(texel, kk)), cc);
}

// Packs pixels 0 .. 3 (s0) and 4 .. 7 (s1) into eight pixels in order.
WIDE inline __m256i packWide(__m256i s0, __m256i s1) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(s0, s1), 0xD8);
}

WIDE inline __m256i mixWide(__m256i s, __m256i d) {
    __m256i sa = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    __m256i inv = _mm256_sub_epi16(_mm256_set1_epi16(255), sa);
    return div255Wide(_mm256_add_epi16(_mm256_mullo_epi16(s, sa), _mm256_mullo_epi16(d, inv)));
}

// The eight pixels at dst after blending the sources over them.
template <BlendMode Mode>
WIDE inline __m256i blendWide(__m256i s0, __m256i s1, const uint32_t* dst) {
    const __m256i s8 = packWide(s0, s1);
    if constexpr (Mode == BlendMode::Replace) return s8;
    const __m256i d8 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    if constexpr (Mode == BlendMode::Add) return _mm256_adds_epu8(s8, d8);
    // Opaque and fully transparent runs need no arithmetic: the blend gives
    // the source or leaves the destination exactly.
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i alphas = _mm256_and_si256(s8, alphaMask);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, alphaMask)) == -1) return s8;
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, _mm256_setzero_si256())) == -1) return d8;
    __m256i d0 = _mm256_cvtepu8_epi16(_mm256_castsi256_si128(d8));
    __m256i d1 = _mm256_cvtepu8_epi16(_mm256_extracti128_si256(d8, 1));
    return packWide(mixWide(s0, d0), mixWide(s1, d1));
}

// All ones in the 32-bit lanes of the packed pixels whose alpha passes the
// alpha test against `ref` (the reference in every lane).
WIDE inline __m256i alphaPasses(__m256i s8, __m256i ref, uint32_t func) {
    const __m256i a = _mm256_srli_epi32(s8, 24);
    const __m256i ones = _mm256_set1_epi32(-1);
    switch (func) {
    case 1: return _mm256_setzero_si256();                              // never
    case 2: return _mm256_cmpgt_epi32(ref, a);                          // less
    case 3: return _mm256_cmpeq_epi32(a, ref);                          // equal
    case 4: return _mm256_xor_si256(_mm256_cmpgt_epi32(a, ref), ones);  // less or equal
    case 5: return _mm256_cmpgt_epi32(a, ref);                          // greater
    case 6: return _mm256_xor_si256(_mm256_cmpeq_epi32(a, ref), ones);  // not equal
    case 7: return _mm256_xor_si256(_mm256_cmpgt_epi32(ref, a), ones);  // greater or equal
    default: return ones;                                               // always
    }
}

// The eight pixels at dst after the alpha test and the blend: where a
// source pixel fails the test, the target's pixel stays.
template <BlendMode Mode, bool AlphaTest>
WIDE inline __m256i testAndBlendWide(__m256i s0, __m256i s1, const uint32_t* dst, __m256i ref,
                                     uint32_t func) {
    if constexpr (!AlphaTest) {
        return blendWide<Mode>(s0, s1, dst);
    } else {
        const __m256i pass = alphaPasses(packWide(s0, s1), ref, func);
        const __m256i d8 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
        if (_mm256_testz_si256(pass, pass)) return d8;
        return _mm256_blendv_epi8(d8, blendWide<Mode>(s0, s1, dst), pass);
    }
}

template <BlendMode Mode, bool Identity, bool AlphaTest>
WIDE void drawRowsWide(const SpanKernel& shared, const RowSource& r) {
    const SpanKernel kernel = shared;
    const __m256i kk = lanesWide(kernel.k), cc = lanesWide(kernel.c);
    const __m256i ref = _mm256_set1_epi32(static_cast<int>(kernel.alphaRef));
    const uint32_t func = kernel.alphaFunc;
    const TextureView& tex = *r.tex;
    const int whole = r.cols & ~7;
    const int last = r.cols - 8;  // the last eight pixels, overlapping the blocks before
    for (int y = 0; y < r.rows; ++y) {
        const uint32_t* texRow0 = tex.texels + static_cast<size_t>(r.row0[y]) * tex.width;
        const uint32_t* texRow1 = tex.texels + static_cast<size_t>(r.row1[y]) * tex.width;
        filterLineWide(kernel, texRow0, texRow1, r.rowWeight[y], r.line);
        uint32_t* dst = r.target + static_cast<size_t>(y) * r.pitch;
        // A row that does not end on a whole block: its last eight pixels
        // are blended first, from the target as it was, and stored after
        // the blocks.
        __m256i tail{};
        if (whole < r.cols)
            tail = testAndBlendWide<Mode, AlphaTest>(
                sourceWide<Identity>(kernel, kk, cc, r.line, last),
                sourceWide<Identity>(kernel, kk, cc, r.line, last + 4), dst + last, ref, func);
        for (int i = 0; i < whole; i += 8)
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(dst + i),
                testAndBlendWide<Mode, AlphaTest>(
                    sourceWide<Identity>(kernel, kk, cc, r.line, i),
                    sourceWide<Identity>(kernel, kk, cc, r.line, i + 4), dst + i, ref, func));
        if (whole < r.cols) _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), tail);
    }
}

#undef WIDE

template <BlendMode Mode, bool AlphaTest>
void dispatchIdentity(bool identity, const SpanKernel& k, const RowSource& r) {
    identity ? drawRowsWide<Mode, true, AlphaTest>(k, r)
             : drawRowsWide<Mode, false, AlphaTest>(k, r);
}

template <BlendMode Mode>
void dispatchAlphaTest(const SpanCase& w, const SpanKernel& k, const RowSource& r) {
    w.alphaTest ? dispatchIdentity<Mode, true>(w.identity, k, r)
                : dispatchIdentity<Mode, false>(w.identity, k, r);
}

}  // namespace

bool wideVectorsAvailable() { return __builtin_cpu_supports("avx2"); }

bool drawSpansWide(const SpanCase& which, const SpanKernel& k, const RowSource& r) {
    if (!which.linear || !which.adjacent || r.cols < 8) return false;
    switch (which.mode) {
    case BlendMode::Mix: dispatchAlphaTest<BlendMode::Mix>(which, k, r); break;
    case BlendMode::Add: dispatchAlphaTest<BlendMode::Add>(which, k, r); break;
    default: dispatchAlphaTest<BlendMode::Replace>(which, k, r); break;
    }
    return true;
}

}  // namespace swr

}  // namespace tiefschacht

#endif  // TIEFSCHACHT_X86_SPANS
