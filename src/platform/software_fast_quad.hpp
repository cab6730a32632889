#pragma once
// The rectangle fast path: two triangles that together make an axis-aligned
// rectangle on screen, with one depth, one 1/w, one colour and texture
// coordinates that follow x and y separately, are drawn span by span from
// per-rectangle tables of texel columns and rows, with SSE2 for filtering
// and blending, and AVX2 for the common case where the processor has it.
// It covers exactly the pixels and computes exactly the colours of the
// general rasteriser (up to rounding of the texture coordinates), which the
// tests check.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/software_geometry.hpp"
#include "platform/software_shading.hpp"

namespace swr {

// A rectangle on screen with what the span drawer needs.
struct ScreenRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double uLeft = 0, uRight = 0, vTop = 0, vBottom = 0;
    float z = 0;
    uint32_t diffuse = 0;
};

// Recognises two triangles (a0, a1, a2) and (b0, b1, b2) that share a
// diagonal and form a rectangle meeting the conditions above. `corners`
// are the six vertices in triangle order.
bool findScreenRect(const ScreenVertex* const (&corners)[6], ScreenRect& out);

// What an axis table was built for: the pixels it covers, the edges and
// texture coordinates along that axis, the texture's size and the sampler.
struct AxisKey {
    int first = 0, count = -1;
    double low = 0, high = 0, tLow = 0, tHigh = 0;
    int size = 0;
    bool linear = false, wrap = false;
    bool operator==(const AxisKey&) const = default;
};

// The rows of one rectangle: texel rows, weights and fixed-point v per pixel row.
struct RowTable {
    AxisKey key;
    uint64_t used = 0;  // when the table was last asked for
    std::vector<int32_t> row0, row1;
    std::vector<uint16_t> rowWeight;
    std::vector<int64_t> fixedV;
};

// Per-rectangle tables, kept between draws so drawing allocates nothing.
// The tile grid draws its squares column by column: most rectangles reuse
// the columns of the one before and the rows of one a column earlier, so the
// columns are kept for the last rectangle and rows in a small cache.
struct SpanTables {
    bool wide = false;                     // use the AVX2 span loops
    AxisKey columns;                       // what col0 .. colWeightInv hold
    bool adjacentColumns = false;          // col1 == col0 + 1 everywhere
    int lineFirst = 0, lineLast = -1;      // texel columns the columns read
    int lineCopy = -1;                     // a line entry past the texture repeating entry 0, or -1
    std::vector<int32_t> col0, col1;       // texel columns per pixel column
    std::vector<uint16_t> colWeight;       // 4 lanes per column: fx
    std::vector<uint16_t> colWeightInv;    // 4 lanes per column: 256 - fx
    std::vector<int64_t> fixedU;           // fixed-point u per column (scalar path)
    static constexpr size_t rowCacheSize = 64, rowWays = 4;
    std::array<RowTable, rowCacheSize> rows;
    uint64_t rowClock = 0;
    std::vector<uint16_t> line;            // one texture row pair filtered down, 4 lanes per texel
};

// Whether this processor runs the AVX2 span loops.
bool wideVectorsAvailable();

// Draws the rectangle. `setup.sampler.linear` is the filter in force.
void drawScreenRect(const ScreenRect& rect, const PixelSetup& setup, const RenderTarget& target,
                    SpanTables& tables);

}  // namespace swr
