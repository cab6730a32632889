// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the span loops of the fast path share: the set-up of one rectangle
// (its column tables, the texture stage as per-channel factors, the alpha
// test), where its rows come from and go to, and which loops draw it. The
// loops themselves are compiled once for every combination of filter,
// blend, alpha test and stage, so that the inner loops carry no decisions;
// every kind does the same arithmetic and gives the same pixels.
#include <array>
#include <cstdint>

#include "platform/software/shading.hpp"

namespace tiefschacht {

// The vector loops are compiled only for a processor family that has them
// (x86-64: SSE2 always, AVX2 chosen at run time) and not at all when the
// build asks for none (TIEFSCHACHT_NO_SIMD); plain C++ loops stand in.
#if !defined(TIEFSCHACHT_NO_SIMD) && defined(__x86_64__) && defined(__SSE2__)
#define TIEFSCHACHT_X86_SPANS 1
#else
#define TIEFSCHACHT_X86_SPANS 0
#endif

namespace swr {

enum class BlendMode { Replace, Mix, Add, Other };

struct SpanKernel {
    const int32_t* col0 = nullptr;
    const int32_t* col1 = nullptr;
    const uint16_t* colWeight = nullptr;
    const uint16_t* colWeightInv = nullptr;
    // The stage gives div255(texel * k) + c per channel (memory order b, g, r, a).
    std::array<uint16_t, 4> k{}, c{};
    uint32_t alphaFunc = 8, alphaRef = 0;
    int lineFirst = 0, lineLast = -1;  // texel columns the rectangle reads, inclusive
    int lineCopy = -1;                 // where a wrapping rectangle reads column 0 again, or -1
};

struct RowSource {
    const TextureView* tex;
    const int32_t* row0;
    const int32_t* row1;
    const uint16_t* rowWeight;
    uint16_t* line;
    uint32_t* target;
    int pitch;  // target pixels per row
    int rows, cols;
};

// The variant of the loops a rectangle needs.
struct SpanCase {
    BlendMode mode = BlendMode::Replace;
    bool linear = false;
    bool adjacent = false;  // every pixel reads texel columns c and c + 1
    bool alphaTest = false;
    bool identity = false;  // the stage passes the texel through unchanged
};

// Filters texel x of rows r0 and r1 into its line entry with weight fy, as
// every kind of loop does.
inline void filterTexel(const uint32_t* r0, const uint32_t* r1, uint16_t weightY, int x,
                        uint16_t* line) {
    for (int ch = 0; ch < 4; ++ch)
        line[4 * x + ch] = static_cast<uint16_t>(
            (channel(r0[x], 8 * ch) * (256u - weightY) + channel(r1[x], 8 * ch) * weightY) >> 8);
}

// Filters the texels from x to the end of the line one at a time, then
// repeats column 0 past the end where a wrapping rectangle reads it.
inline void finishLine(const SpanKernel& k, const uint32_t* r0, const uint32_t* r1,
                       uint16_t weightY, int x, uint16_t* line) {
    for (; x <= k.lineLast; ++x) filterTexel(r0, r1, weightY, x, line);
    if (k.lineCopy >= 0)
        for (int ch = 0; ch < 4; ++ch) line[4 * k.lineCopy + ch] = line[ch];
}

// Draws with the loops every processor of the family runs (plain C++ where
// no vector loops are compiled).
void drawSpansBaseline(const SpanCase& which, const SpanKernel& k, const RowSource& r);

// Draws with the plain C++ loops.
void drawSpansPortable(const SpanCase& which, const SpanKernel& k, const RowSource& r);

// Draws with wider loops where this processor has them and they cover the
// case; false when they do not (nothing is drawn then).
bool drawSpansWide(const SpanCase& which, const SpanKernel& k, const RowSource& r);

// Whether this processor runs wider loops than the baseline.
bool wideVectorsAvailable();

}  // namespace swr

}  // namespace tiefschacht
