#include "platform/software_fast_quad.hpp"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "platform/software_rasteriser.hpp"

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

namespace {

// Pixel range [first, last) whose centres lie in [lo, hi) on the snapped grid.
void pixelRange(double lo, double hi, int limit, int& first, int& last) {
    int64_t a = snapToGrid(std::max(lo, -GuardBand));
    int64_t b = snapToGrid(std::min(hi, limit + GuardBand));
    first = static_cast<int>(std::clamp<int64_t>((a + 255) >> 8, 0, limit));
    last = static_cast<int>(std::clamp<int64_t>((b + 255) >> 8, 0, limit));
}

void axisTable(int first, int count, double lo, double hi, double t0, double t1, int size, bool linear,
               bool wrap, std::vector<int32_t>& idx0, std::vector<int32_t>& idx1,
               std::vector<int64_t>& fixedT) {
    idx0.resize(count);
    idx1.resize(count);
    fixedT.resize(count);
    const double slope = (t1 - t0) / (hi - lo);
    for (int k = 0; k < count; ++k) {
        double t = t0 + (first + k - lo) * slope;
        int64_t f = toFixed(t, size, linear);
        fixedT[k] = f;
        idx0[k] = addressIndex(f >> 8, size, wrap);
        idx1[k] = linear ? addressIndex((f >> 8) + 1, size, wrap) : idx0[k];
    }
}

enum class BlendMode { Replace, Mix, Add, Other };

BlendMode blendMode(const BlendSetup& b) {
    if (!b.enabled) return BlendMode::Replace;
    if (b.src == BlendFactor::One && b.dst == BlendFactor::Zero) return BlendMode::Replace;
    if (b.src == BlendFactor::SrcAlpha && b.dst == BlendFactor::InvSrcAlpha) return BlendMode::Mix;
    if (b.src == BlendFactor::One && b.dst == BlendFactor::One) return BlendMode::Add;
    return BlendMode::Other;
}

// With a constant diffuse colour the stage gives, per channel,
// div255(texel * k) + c. False when it does not (texture times texture).
bool linearCombine(const CombineSetup& cs, uint32_t diffuse, std::array<uint16_t, 4>& k,
                   std::array<uint16_t, 4>& c) {
    for (int ch = 0; ch < 4; ++ch) {  // memory order: b, g, r, a
        const bool alpha = ch == 3;
        StageOp op = alpha ? cs.alphaOp : cs.colourOp;
        StageArg a1 = alpha ? cs.alphaArg1 : cs.colourArg1;
        StageArg a2 = alpha ? cs.alphaArg2 : cs.colourArg2;
        uint32_t d = channel(diffuse, 8 * ch);
        StageArg only = StageArg::Diffuse;
        switch (op) {
        case StageOp::Disable: only = StageArg::Diffuse; break;
        case StageOp::SelectArg1: only = a1; break;
        case StageOp::SelectArg2: only = a2; break;
        case StageOp::Modulate:
            if (a1 == StageArg::Texture && a2 == StageArg::Texture) return false;
            if (a1 == StageArg::Diffuse && a2 == StageArg::Diffuse) {
                k[ch] = 0;
                c[ch] = static_cast<uint16_t>(div255(d * d));
            } else {
                k[ch] = static_cast<uint16_t>(d);
                c[ch] = 0;
            }
            continue;
        }
        k[ch] = only == StageArg::Texture ? 255 : 0;
        c[ch] = only == StageArg::Texture ? 0 : static_cast<uint16_t>(d);
    }
    return true;
}

inline __m128i div255v(__m128i x) {
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

inline __m128i widen2(uint32_t a, uint32_t b) {
    return _mm_unpacklo_epi8(_mm_set_epi32(0, 0, static_cast<int>(b), static_cast<int>(a)),
                             _mm_setzero_si128());
}

inline __m128i load64(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }

// The span loops, compiled once for every combination of filter, blend,
// alpha test and stage so that the inner loops carry no decisions.
struct SpanKernel {
    const int32_t* col0;
    const int32_t* col1;
    const uint16_t* colWeight;
    const uint16_t* colWeightInv;
    __m128i k, c;
    uint32_t alphaFunc, alphaRef;
    int lineFirst, lineLast;  // texel columns the rectangle reads, inclusive
    int lineCopy;             // where a wrapping rectangle reads column 0 again, or -1

    // Filters texture rows r0 and r1 into the line with weight fy.
    void filterLine(const uint32_t* r0, const uint32_t* r1, uint16_t weightY, uint16_t* line) const {
        const __m128i fy = _mm_set1_epi16(static_cast<short>(weightY));
        const __m128i fyInv = _mm_set1_epi16(static_cast<short>(256 - weightY));
        const __m128i zero = _mm_setzero_si128();
        int x = lineFirst;
        for (; x + 4 <= lineLast + 1; x += 4) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + x));
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + x));
            __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), fyInv),
                                                      _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), fy)),
                                        8);
            __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), fyInv),
                                                      _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), fy)),
                                        8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(line + 4 * x), lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(line + 4 * x + 8), hi);
        }
        finishLine(r0, r1, weightY, x, line);
    }

    // Filters the texels from x to the end of the line one at a time, then
    // repeats column 0 past the end where a wrapping rectangle reads it.
    void finishLine(const uint32_t* r0, const uint32_t* r1, uint16_t weightY, int x, uint16_t* line) const {
        const __m128i fy = _mm_set1_epi16(static_cast<short>(weightY));
        const __m128i fyInv = _mm_set1_epi16(static_cast<short>(256 - weightY));
        const __m128i zero = _mm_setzero_si128();
        for (; x <= lineLast; ++x) {
            __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(r0[x])), zero);
            __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(r1[x])), zero);
            __m128i v = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(a, fyInv), _mm_mullo_epi16(b, fy)), 8);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(line + 4 * x), v);
        }
        if (lineCopy >= 0) std::copy(line, line + 4, line + 4 * lineCopy);
    }

    // Source colours of pixels i and j (j == i for a single pixel), 16 bits a channel.
    // With Adjacent, every pixel reads texel columns c and c + 1, so one load
    // brings both; Pair says j == i + 1, so the weights of both pixels lie
    // side by side.
    template <bool Linear, bool Adjacent, bool Identity, bool Pair>
    __m128i source(const uint32_t* r0, const uint16_t* line, int i, int j) const {
        __m128i texel;
        if constexpr (Linear) {
            __m128i left, right;
            if constexpr (Adjacent) {
                __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 4 * col0[i]));
                __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 4 * col0[j]));
                left = _mm_unpacklo_epi64(a, b);
                right = _mm_unpackhi_epi64(a, b);
            } else {
                left = _mm_unpacklo_epi64(load64(line + 4 * col0[i]), load64(line + 4 * col0[j]));
                right = _mm_unpacklo_epi64(load64(line + 4 * col1[i]), load64(line + 4 * col1[j]));
            }
            __m128i wx, wxInv;
            if constexpr (Pair) {
                wx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colWeight + 4 * i));
                wxInv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colWeightInv + 4 * i));
            } else {
                wx = _mm_unpacklo_epi64(load64(colWeight + 4 * i), load64(colWeight + 4 * j));
                wxInv = _mm_unpacklo_epi64(load64(colWeightInv + 4 * i), load64(colWeightInv + 4 * j));
            }
            texel = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(left, wxInv), _mm_mullo_epi16(right, wx)), 8);
        } else {
            texel = widen2(r0[col0[i]], r0[col0[j]]);
        }
        if constexpr (Identity) return texel;
        return _mm_add_epi16(div255v(_mm_mullo_epi16(texel, k)), c);
    }

    // Blends two source pixels over dst[0..1] (one when single); packed results.
    template <BlendMode Mode>
    __m128i blendPair(__m128i src, const uint32_t* dst, bool single) const {
        __m128i s8 = _mm_packus_epi16(src, _mm_setzero_si128());
        if constexpr (Mode == BlendMode::Replace) return s8;
        __m128i d8 = single ? _mm_cvtsi32_si128(static_cast<int>(dst[0])) : load64(dst);
        if constexpr (Mode == BlendMode::Add) return _mm_adds_epu8(s8, d8);
        // Opaque and fully transparent pairs need no arithmetic: the blend
        // gives the source or leaves the destination exactly.
        const uint64_t alphas = static_cast<uint64_t>(_mm_cvtsi128_si64(s8)) & 0xFF000000FF000000ull;
        const uint64_t opaque = single ? (alphas | 0xFF00000000000000ull) : alphas;
        if (opaque == 0xFF000000FF000000ull) return s8;
        if ((single ? (alphas & 0xFF000000ull) : alphas) == 0) return d8;
        __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(src, 0xFF), 0xFF);
        __m128i inv = _mm_sub_epi16(_mm_set1_epi16(255), sa);
        __m128i d = _mm_unpacklo_epi8(d8, _mm_setzero_si128());
        __m128i x = _mm_add_epi16(_mm_mullo_epi16(src, sa), _mm_mullo_epi16(d, inv));
        return _mm_packus_epi16(div255v(x), _mm_setzero_si128());
    }

    bool passes(uint32_t pixel) const { return compare<uint32_t>(alphaFunc, pixel >> 24, alphaRef); }

    template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest, bool Identity>
    void row(uint32_t* dst, int count, const uint32_t* r0, const uint16_t* line) const {
        int i = 0;
        if constexpr (!AlphaTest) {
            // Two pairs at a time, so that their independent arithmetic overlaps.
            for (; i + 4 <= count; i += 4) {
                __m128i a = source<Linear, Adjacent, Identity, true>(r0, line, i, i + 1);
                __m128i b = source<Linear, Adjacent, Identity, true>(r0, line, i + 2, i + 3);
                __m128i outA = blendPair<Mode>(a, dst + i, false);
                __m128i outB = blendPair<Mode>(b, dst + i + 2, false);
                _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), outA);
                _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i + 2), outB);
            }
        }
        for (; i + 2 <= count; i += 2) {
            __m128i src = source<Linear, Adjacent, Identity, true>(r0, line, i, i + 1);
            if constexpr (AlphaTest) {
                __m128i s8 = _mm_packus_epi16(src, _mm_setzero_si128());
                bool pass0 = passes(static_cast<uint32_t>(_mm_cvtsi128_si32(s8)));
                bool pass1 = passes(static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(s8, 4))));
                if (!pass0 && !pass1) continue;
                __m128i out = blendPair<Mode>(src, dst + i, false);
                if (pass0) dst[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(out));
                if (pass1) dst[i + 1] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(out, 4)));
            } else {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), blendPair<Mode>(src, dst + i, false));
            }
        }
        if (i < count) {
            __m128i src = source<Linear, Adjacent, Identity, false>(r0, line, i, i);
            if (AlphaTest &&
                !passes(static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(src, _mm_setzero_si128())))))
                return;
            dst[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(blendPair<Mode>(src, dst + i, true)));
        }
    }
};

struct RowSource {
    const TextureView* tex;
    const int32_t* row0;
    const int32_t* row1;
    const uint16_t* rowWeight;
    uint16_t* line;
    uint32_t* target;
    int pitch;      // target pixels per row
    int rows, cols;
};

template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest, bool Identity>
void drawRows(const SpanKernel& shared, const RowSource& r) {
    // A local copy: the stores into the target cannot alias it, so its
    // pointers and constants stay in registers through the loops.
    const SpanKernel kernel = shared;
    const TextureView& tex = *r.tex;
    for (int y = 0; y < r.rows; ++y) {
        const uint32_t* texRow0 = tex.texels + static_cast<size_t>(r.row0[y]) * tex.width;
        if constexpr (Linear) {
            const uint32_t* texRow1 = tex.texels + static_cast<size_t>(r.row1[y]) * tex.width;
            kernel.filterLine(texRow0, texRow1, r.rowWeight[y], r.line);
        }
        kernel.row<Linear, Adjacent, Mode, AlphaTest, Identity>(r.target + static_cast<size_t>(y) * r.pitch,
                                                                r.cols, texRow0, r.line);
    }
}

// The common case eight pixels at a time with AVX2: linear filtering from
// neighbouring texel columns, no alpha test. The same arithmetic as the
// SSE2 loops, so both give the same pixels.
#define WIDE __attribute__((target("avx2")))

WIDE inline __m256i div255Wide(__m256i x) {
    x = _mm256_add_epi16(x, _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

WIDE void filterLineWide(const SpanKernel& k, const uint32_t* r0, const uint32_t* r1, uint16_t weightY,
                         uint16_t* line) {
    const __m256i fy = _mm256_set1_epi16(static_cast<short>(weightY));
    const __m256i fyInv = _mm256_set1_epi16(static_cast<short>(256 - weightY));
    int x = k.lineFirst;
    for (; x + 4 <= k.lineLast + 1; x += 4) {
        __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + x)));
        __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + x)));
        __m256i v = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, fyInv), _mm256_mullo_epi16(b, fy)), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + 4 * x), v);
    }
    k.finishLine(r0, r1, weightY, x, line);
}

// Source colours of pixels i .. i + 3, 16 bits a channel: pixels i and i + 1
// in the low half, i + 2 and i + 3 in the high half.
template <bool Identity>
WIDE inline __m256i sourceWide(const SpanKernel& k, __m256i kk, __m256i cc, const uint16_t* line, int i) {
    // Line entries are four lanes of 16 bits: index them as 64-bit units so
    // that the column index scales in the address.
    const auto* entries = reinterpret_cast<const uint64_t*>(line);
    const int32_t* col = k.col0 + i;
    auto texels = [entries](int32_t c) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + c)); };
    __m256i a = _mm256_inserti128_si256(_mm256_castsi128_si256(texels(col[0])), texels(col[2]), 1);
    __m256i b = _mm256_inserti128_si256(_mm256_castsi128_si256(texels(col[1])), texels(col[3]), 1);
    __m256i left = _mm256_unpacklo_epi64(a, b), right = _mm256_unpackhi_epi64(a, b);
    __m256i wx = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k.colWeight + 4 * i));
    __m256i wxInv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k.colWeightInv + 4 * i));
    __m256i texel =
        _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(left, wxInv), _mm256_mullo_epi16(right, wx)), 8);
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
    // As in blendPair: opaque and fully transparent runs need no arithmetic.
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i alphas = _mm256_and_si256(s8, alphaMask);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, alphaMask)) == -1) return s8;
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, _mm256_setzero_si256())) == -1) return d8;
    __m256i d0 = _mm256_cvtepu8_epi16(_mm256_castsi256_si128(d8));
    __m256i d1 = _mm256_cvtepu8_epi16(_mm256_extracti128_si256(d8, 1));
    return packWide(mixWide(s0, d0), mixWide(s1, d1));
}

template <BlendMode Mode, bool Identity>
WIDE void drawRowsWide(const SpanKernel& shared, const RowSource& r) {
    const SpanKernel kernel = shared;
    const __m256i kk = _mm256_broadcastsi128_si256(kernel.k), cc = _mm256_broadcastsi128_si256(kernel.c);
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
            tail = blendWide<Mode>(sourceWide<Identity>(kernel, kk, cc, r.line, last),
                                   sourceWide<Identity>(kernel, kk, cc, r.line, last + 4), dst + last);
        for (int i = 0; i < whole; i += 8)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                                blendWide<Mode>(sourceWide<Identity>(kernel, kk, cc, r.line, i),
                                                sourceWide<Identity>(kernel, kk, cc, r.line, i + 4), dst + i));
        if (whole < r.cols) _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), tail);
    }
}

#undef WIDE

void dispatchWide(BlendMode mode, bool identity, const SpanKernel& k, const RowSource& r) {
    switch (mode) {
    case BlendMode::Mix:
        identity ? drawRowsWide<BlendMode::Mix, true>(k, r) : drawRowsWide<BlendMode::Mix, false>(k, r);
        break;
    case BlendMode::Add:
        identity ? drawRowsWide<BlendMode::Add, true>(k, r) : drawRowsWide<BlendMode::Add, false>(k, r);
        break;
    default:
        identity ? drawRowsWide<BlendMode::Replace, true>(k, r) : drawRowsWide<BlendMode::Replace, false>(k, r);
        break;
    }
}

template <bool Linear, bool Adjacent, BlendMode Mode, bool AlphaTest>
void dispatchIdentity(bool identity, const SpanKernel& k, const RowSource& r) {
    identity ? drawRows<Linear, Adjacent, Mode, AlphaTest, true>(k, r)
             : drawRows<Linear, Adjacent, Mode, AlphaTest, false>(k, r);
}

template <bool Linear, bool Adjacent, BlendMode Mode>
void dispatchAlphaTest(bool alphaTest, bool identity, const SpanKernel& k, const RowSource& r) {
    alphaTest ? dispatchIdentity<Linear, Adjacent, Mode, true>(identity, k, r)
              : dispatchIdentity<Linear, Adjacent, Mode, false>(identity, k, r);
}

template <bool Linear, bool Adjacent>
void dispatchMode(BlendMode mode, bool alphaTest, bool identity, const SpanKernel& k, const RowSource& r) {
    switch (mode) {
    case BlendMode::Mix: dispatchAlphaTest<Linear, Adjacent, BlendMode::Mix>(alphaTest, identity, k, r); break;
    case BlendMode::Add: dispatchAlphaTest<Linear, Adjacent, BlendMode::Add>(alphaTest, identity, k, r); break;
    default: dispatchAlphaTest<Linear, Adjacent, BlendMode::Replace>(alphaTest, identity, k, r); break;
    }
}

// Builds the column tables of a rectangle: texel columns, weights, and the
// range of texel columns read. A clamped pair (both columns the same edge
// column) is rewritten as that column and its neighbour with the whole
// weight on the edge column: the same colour, and most rectangles then read
// neighbouring columns throughout. A wrapped pair (the last column and
// column 0) reads column 0 again from an entry just past the last one, so
// wrapping rectangles read neighbouring columns too.
void buildColumns(const AxisKey& key, SpanTables& t) {
    const int cols = key.count;
    axisTable(key.first, cols, key.low, key.high, key.tLow, key.tHigh, key.size, key.linear, key.wrap,
              t.col0, t.col1, t.fixedU);
    t.colWeight.resize(static_cast<size_t>(cols) * 4);
    t.colWeightInv.resize(static_cast<size_t>(cols) * 4);
    t.adjacentColumns = key.linear;
    t.lineFirst = key.size;
    t.lineLast = -1;
    t.lineCopy = -1;
    for (int x = 0; x < cols; ++x) {
        uint16_t f = key.linear ? static_cast<uint16_t>(t.fixedU[x] & 255) : 0;
        if (key.linear && key.size > 1) {
            if (t.col0[x] == t.col1[x] && t.col0[x] == 0) {
                t.col1[x] = 1;
                f = 0;
            } else if (t.col0[x] == t.col1[x]) {
                t.col0[x] = key.size - 2;
                f = 256;
            } else if (t.col0[x] == key.size - 1 && t.col1[x] == 0) {
                t.col1[x] = key.size;
                t.lineCopy = key.size;
            }
        }
        if (t.col1[x] != t.col0[x] + 1) t.adjacentColumns = false;
        for (int l = 0; l < 4; ++l) {
            t.colWeight[4 * x + l] = f;
            t.colWeightInv[4 * x + l] = static_cast<uint16_t>(256 - f);
        }
        if (key.linear) {
            t.lineFirst = std::min({t.lineFirst, t.col0[x], t.col1[x]});
            t.lineLast = std::max({t.lineLast, t.col0[x], std::min(t.col1[x], key.size - 1)});
        }
    }
    if (t.lineCopy >= 0) t.lineFirst = 0;
    t.columns = key;
}

// The row table for `key`, from the cache or built into its slot.
const RowTable& rowTable(const AxisKey& key, SpanTables& t) {
    // Four ways per set, so that the rows of a screen of squares do not
    // push each other out; the least recently used way is rebuilt.
    constexpr size_t ways = SpanTables::rowWays;
    const size_t sets = SpanTables::rowCacheSize / ways;
    const size_t set = (static_cast<size_t>(key.first) * 7u + static_cast<size_t>(key.count)) % sets;
    RowTable* const first = &t.rows[set * ways];
    ++t.rowClock;
    RowTable* victim = first;
    for (RowTable* r = first; r != first + ways; ++r) {
        if (r->key == key) {
            r->used = t.rowClock;
            return *r;
        }
        if (r->used < victim->used) victim = r;
    }
    RowTable& r = *victim;
    r.used = t.rowClock;
    axisTable(key.first, key.count, key.low, key.high, key.tLow, key.tHigh, key.size, key.linear, key.wrap,
              r.row0, r.row1, r.fixedV);
    r.rowWeight.resize(key.count);
    for (int y = 0; y < key.count; ++y)
        r.rowWeight[y] = key.linear ? static_cast<uint16_t>(r.fixedV[y] & 255) : 0;
    r.key = key;
    return r;
}

}  // namespace

bool wideVectorsAvailable() { return __builtin_cpu_supports("avx2"); }

void drawScreenRect(const ScreenRect& rect, const PixelSetup& setup, const RenderTarget& target,
                    SpanTables& t) {
    int c0, c1, r0, r1;
    pixelRange(rect.left, rect.right, target.width, c0, c1);
    pixelRange(rect.top, rect.bottom, target.height, r0, r1);
    const int cols = c1 - c0, rows = r1 - r0;
    if (cols <= 0 || rows <= 0) return;

    const TextureView& tex = setup.texture;
    const bool linear = setup.sampler.linear;
    const RowTable& rowsOf =
        rowTable(AxisKey{r0, rows, rect.top, rect.bottom, rect.vTop, rect.vBottom, tex.height, linear,
                         setup.sampler.wrapV},
                 t);

    std::array<uint16_t, 4> k{}, c{};
    BlendMode mode = blendMode(setup.blend);
    const bool simd = !setup.depthTest && mode != BlendMode::Other &&
                      linearCombine(setup.combine, rect.diffuse, k, c);
    // The source alpha is div255(texel alpha * k) + c, saturated: when it is
    // 255 at every pixel, mixing gives the source and the target need not be read.
    if (simd && mode == BlendMode::Mix && (c[3] >= 255 || (tex.opaque && k[3] + c[3] >= 255)))
        mode = BlendMode::Replace;
    if (!simd) {
        axisTable(c0, cols, rect.left, rect.right, rect.uLeft, rect.uRight, tex.width, linear,
                  setup.sampler.wrapU, t.col0, t.col1, t.fixedU);
        t.columns = AxisKey{};  // the weights no longer match col0 and col1
        for (int y = 0; y < rows; ++y) {
            size_t base = static_cast<size_t>(r0 + y) * target.width + c0;
            for (int x = 0; x < cols; ++x)
                shadePixel(setup, target, base + x, rect.z, t.fixedU[x], rowsOf.fixedV[y], rect.diffuse);
        }
        return;
    }

    const AxisKey columns{c0,          cols,      rect.left, rect.right, rect.uLeft,
                          rect.uRight, tex.width, linear,    setup.sampler.wrapU};
    if (!(t.columns == columns)) buildColumns(columns, t);

    SpanKernel kernel;
    kernel.col0 = t.col0.data();
    kernel.col1 = t.col1.data();
    kernel.colWeight = t.colWeight.data();
    kernel.colWeightInv = t.colWeightInv.data();
    auto lanes = [](const std::array<uint16_t, 4>& v) {
        return _mm_set_epi16(static_cast<short>(v[3]), static_cast<short>(v[2]), static_cast<short>(v[1]),
                             static_cast<short>(v[0]), static_cast<short>(v[3]), static_cast<short>(v[2]),
                             static_cast<short>(v[1]), static_cast<short>(v[0]));
    };
    kernel.k = lanes(k);
    kernel.c = lanes(c);
    const bool identity = k == std::array<uint16_t, 4>{255, 255, 255, 255} &&
                          c == std::array<uint16_t, 4>{0, 0, 0, 0};
    kernel.alphaFunc = setup.alphaFunc;
    kernel.alphaRef = setup.alphaRef;
    kernel.lineFirst = t.lineFirst;
    kernel.lineLast = t.lineLast;
    kernel.lineCopy = t.lineCopy;
    if (linear) t.line.resize(static_cast<size_t>(tex.width + 1) * 4);
    RowSource src{&tex, rowsOf.row0.data(), rowsOf.row1.data(), rowsOf.rowWeight.data(), t.line.data(),
                  target.colour + static_cast<size_t>(r0) * target.width + c0, target.width, rows, cols};
    if (t.wide && linear && t.adjacentColumns && !setup.alphaTest && cols >= 8)
        dispatchWide(mode, identity, kernel, src);
    else if (!linear)
        dispatchMode<false, false>(mode, setup.alphaTest, identity, kernel, src);
    else if (t.adjacentColumns)
        dispatchMode<true, true>(mode, setup.alphaTest, identity, kernel, src);
    else
        dispatchMode<true, false>(mode, setup.alphaTest, identity, kernel, src);
}

}  // namespace swr
