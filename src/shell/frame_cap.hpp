// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame cap: a frame ends at the first tick strictly more than
// minFrameTime milliseconds after its start.
#include <cstdint>

namespace tiefschacht {

class Clock;
class WindowEvents;
struct Settings;

// The cap is on with frameCapMode 1 and a frame rate that is a finite,
// positive number (a rate of 0 would make the wait endless).
bool frameCapOn(const Settings& s);

// Waits until (tick - startTick), as a signed 32-bit count, is strictly
// greater than minFrameTime, and returns that tick. The wait sleeps to the
// start of that tick, so it costs next to no processor time and ends on the
// first tick that qualifies. A longer wait is slept in slices of a few
// hundredths of a second, and between them `events` (when given) is asked
// for a close request: one ends the wait at once (returning the tick it was
// seen on), so the window answers however slow the cap.
uint32_t waitForFrameEnd(Clock& clock, uint32_t startTick, float minFrameTime,
                         WindowEvents* events = nullptr);

}  // namespace tiefschacht
