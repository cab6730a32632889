// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/span_tables.hpp"

#include <algorithm>

#include "platform/software/shading.hpp"

namespace tiefschacht {

namespace swr {

void axisTable(int first, int count, double lo, double hi, double t0, double t1, int size,
               bool linear, bool wrap, std::vector<int32_t>& idx0, std::vector<int32_t>& idx1,
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

// Texel columns, weights, and the range of texel columns read. A clamped
// pair (both columns the same edge column) is rewritten as that column and
// its neighbour with the whole weight on the edge column: the same colour,
// and most rectangles then read neighbouring columns throughout. A wrapped
// pair (the last column and column 0) reads column 0 again from an entry
// just past the last one, so wrapping rectangles read neighbouring columns too.
void buildColumns(const AxisKey& key, SpanTables& t) {
    const int cols = key.count;
    axisTable(key.first, cols, key.low, key.high, key.tLow, key.tHigh, key.size, key.linear,
              key.wrap, t.col0, t.col1, t.fixedU);
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

const RowTable& rowTable(const AxisKey& key, SpanTables& t) {
    // Four ways per set, so that the rows of a screen of squares do not
    // push each other out; the least recently used way is rebuilt.
    constexpr size_t ways = SpanTables::rowWays;
    const size_t sets = SpanTables::rowCacheSize / ways;
    const size_t set =
        (static_cast<size_t>(key.first) * 7u + static_cast<size_t>(key.count)) % sets;
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
    axisTable(key.first, key.count, key.low, key.high, key.tLow, key.tHigh, key.size, key.linear,
              key.wrap, r.row0, r.row1, r.fixedV);
    r.rowWeight.resize(key.count);
    for (int y = 0; y < key.count; ++y)
        r.rowWeight[y] = key.linear ? static_cast<uint16_t>(r.fixedV[y] & 255) : 0;
    r.key = key;
    return r;
}

}  // namespace swr

}  // namespace tiefschacht
