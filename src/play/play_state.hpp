// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The play globals: the hero's motion state, the counters of a game, and the
// frame counters of play.
#include <array>
#include <cstdint>

namespace tiefschacht {

constexpr float heroStep = 0.15f;
constexpr int32_t animStep = 4;

inline constexpr std::array<float, 16> jumpTable = {-0.7f,  -0.4f, -0.25f, -0.2f, -0.15f, -0.1f,
                                                    -0.05f, 0.0f,  0.0f,   0.05f, 0.1f,   0.15f,
                                                    0.2f,   0.25f, 0.4f,   0.7f};

struct PlayState {
    int32_t jumpCounter = -1;
    bool onLadder = false;
    bool climbingUp = false;
    bool climbingDown = false;
    bool walkingLeft = false;
    bool walkingRight = false;
    bool inWater = false;
    int32_t deathTimer = 0;
    int32_t lives = 3;
    int32_t keyCount = 0;
    int32_t score = 0;
    int32_t animCounter = 128;
    int32_t heroRow = 0;
    int32_t heroCol = 0;
    int32_t cellHere = 0, cellLeft = 0, cellRight = 0, cellAbove = 0, cellBelow = 0,
            cellAboveLeft = 0, cellAboveRight = 0;
    int32_t helpFrameCount = 0;      // play frames run since the program started
    bool highscoreEligible = false;  // a qualifying score waits to be entered
};

inline PlayState play;

// The quarter of the animation cycle: 0 at its start (128..96), 3 at its end.
inline int32_t animationQuarter() {
    if (play.animCounter >= 96) return 0;
    if (play.animCounter >= 64) return 1;
    if (play.animCounter >= 32) return 2;
    return 3;
}

}  // namespace tiefschacht
