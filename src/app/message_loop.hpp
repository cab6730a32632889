#pragma once
// The message loop: each pass takes at most one window message, then runs
// one frame. It ends on the quit message, or after a number of frames.
#include <cstdint>
#include <optional>

void runMessageLoop(std::optional<uint64_t> frameLimit);
