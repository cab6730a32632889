// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timedemo's report: frames, mean and 99th percentile of the update, the
// drawing and the whole frame (processor time of the game's thread), the
// frames per second and the process's share of a core on the wall clock
// since the first frame, the frame periods when the frame cap paces the run
// on the real clock, how frames reach the screen, and the start-up time.
#include <cstdio>

namespace tiefschacht {

void printTimedemoReport(std::FILE* out, int width, int height);

}  // namespace tiefschacht
