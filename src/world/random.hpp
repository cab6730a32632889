// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's one source of random numbers: the classic linear congruential
// generator (state x 214013 + 2531011), never seeded, so every run draws the
// same sequence on every platform.
#include <cstdint>

namespace tiefschacht {

struct RandomGenerator {
    uint32_t state = 1;
    // One number 0..32767.
    int32_t next();
};

extern RandomGenerator rng;

// A float in [a, b): a + r (b - a) / 32767; r = 32767 gives a.
float randomFloat(float a, float b);
// Draws and discards the 15000 numbers of the Game's construction.
void discardStartupDraws();

}  // namespace tiefschacht
