#pragma once
// The frame cap: a frame ends at the first tick strictly more than
// minFrameTime milliseconds after its start.
#include <cstdint>

class Clock;
struct Settings;

// The cap is on with frameCapMode 1 and a frame rate that is a finite,
// positive number (a rate of 0 would make the wait endless).
bool frameCapOn(const Settings& s);

// Waits until (tick - startTick), as a signed 32-bit count, is strictly
// greater than minFrameTime, and returns that tick. Sleeps while two or more
// ticks remain before it and spins through the last one, so the wait costs
// little processor time and still ends on the first tick that qualifies.
uint32_t waitForFrameEnd(Clock& clock, uint32_t startTick, float minFrameTime);
