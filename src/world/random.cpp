// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/random.hpp"

namespace tiefschacht {

RandomGenerator rng;

int32_t RandomGenerator::next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFFu);
}

float randomFloat(float a, float b) {
    const int32_t r = rng.next();
    // Worked out in double precision, then stored as a float; a value that
    // rounds up to b falls back to a, so the result stays in [a, b).
    const float v = static_cast<float>(
        static_cast<double>(a) +
        static_cast<double>(r) * (static_cast<double>(b) - static_cast<double>(a)) / 32767.0);
    return v < b ? v : a;
}

void discardStartupDraws() {
    // The start-up scatter of 5000 points: two floats and one integer each,
    // none of them used. Only the number of draws matters for what follows.
    constexpr int pointCount = 5000;
    for (int i = 0; i < pointCount; ++i) {
        (void)randomFloat(-2.5f, 2.5f);
        (void)randomFloat(-3.0f, 3.0f);
        const int32_t low = 50, high = 200;
        (void)(low + rng.next() * (high - low) / 32767);
    }
}

}  // namespace tiefschacht
