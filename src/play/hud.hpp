// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display over the play screen: spare lives, score, keys, the
// instructions of the first play frames and the notice of a pause.
#include <cstdint>

#include "platform/math3d.hpp"

namespace tiefschacht {

class World;

// How many play frames after the program starts show the instructions.
constexpr int32_t instructionFrames = 1000;

void drawSpareLives(const World& world);
void drawScore();
void drawKeyIcon(const World& world, const Vec3& position);
void drawKeys(const World& world);
// The instructions, while fewer than instructionFrames play frames have run.
void drawInstructions();
// "Pause", above the hero in the middle of the screen, while the game is paused.
void drawPauseNotice();

}  // namespace tiefschacht
