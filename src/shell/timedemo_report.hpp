#pragma once
// The timedemo's report: frames, mean and 99th percentile of the update, the
// drawing and the whole frame, frames per second, the wall time of the run
// since the first frame, the start-up time, and the whole frame as a
// multiple of a plain copy of a back buffer of width x height (the
// memory-bandwidth floor).
#include <cstdio>

void printTimedemoReport(std::FILE* out, int width, int height);
