// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-rectangle tables of the fast path: for every pixel column the
// texel columns it reads with their filter weights, and for every pixel row
// the texel rows with theirs. Neighbouring squares of the tile grid share
// their columns or rows, so the tables are kept between draws: the columns
// of the last rectangle, and the rows of recent ones in a small cache.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tiefschacht {

namespace swr {

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

// Which span loops draw: the widest this processor has, the baseline vector
// loops of its family (plain C++ where no vector loops were compiled in),
// or plain C++.
enum class SpanLoops { Widest, Baseline, Portable };

// Per-rectangle tables, kept between draws so drawing allocates nothing.
struct SpanTables {
    SpanLoops loops = SpanLoops::Portable;
    AxisKey columns;                     // what col0 .. colWeightInv hold
    bool adjacentColumns = false;        // col1 == col0 + 1 everywhere
    int lineFirst = 0, lineLast = -1;    // texel columns the columns read
    int lineCopy = -1;                   // a line entry past the texture repeating entry 0, or -1
    std::vector<int32_t> col0, col1;     // texel columns per pixel column
    std::vector<uint16_t> colWeight;     // 4 lanes per column: fx
    std::vector<uint16_t> colWeightInv;  // 4 lanes per column: 256 - fx
    std::vector<int64_t> fixedU;         // fixed-point u per column (per-pixel path)
    static constexpr size_t rowCacheSize = 64, rowWays = 4;
    std::array<RowTable, rowCacheSize> rows;
    uint64_t rowClock = 0;
    std::vector<uint16_t> line;  // one texture row pair filtered down, 4 lanes per texel
};

// Texel indices (and the fixed-point coordinate) of the pixels first ..
// first + count - 1 along one axis whose edges lo .. hi carry the texture
// coordinates t0 .. t1.
void axisTable(int first, int count, double lo, double hi, double t0, double t1, int size,
               bool linear, bool wrap, std::vector<int32_t>& idx0, std::vector<int32_t>& idx1,
               std::vector<int64_t>& fixedT);

// Builds the column tables of a rectangle into `t`.
void buildColumns(const AxisKey& key, SpanTables& t);

// The row table for `key`, from the cache or built into its slot.
const RowTable& rowTable(const AxisKey& key, SpanTables& t);

}  // namespace swr

}  // namespace tiefschacht
