// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small generator with a fixed algorithm (SplitMix64), so a seed gives
// the same script with every compiler and standard library.
#include <cstdint>

namespace tiefschacht {

class SoakRandom {
public:
    explicit SoakRandom(uint64_t seed) : state_(seed) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int64_t between(int64_t lo, int64_t hi) {
        if (hi <= lo) return lo;
        const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
        return lo + static_cast<int64_t>(next() % span);
    }
    // True with the given chance in percent.
    bool chance(int percent) { return static_cast<int>(next() % 100) < percent; }
    // A number from 0 to 1.
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

private:
    uint64_t state_;
};

}  // namespace tiefschacht
