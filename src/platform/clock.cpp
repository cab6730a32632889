// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <time.h>

#include <cerrno>
#include <cstdint>

#include "platform/backends.hpp"

namespace tiefschacht {

namespace {
int64_t monotonicNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Milliseconds of the monotonic clock since the clock was made. A wait
// sleeps to the absolute start of its tick, so it neither spins nor adds up
// the late wake-ups of relative sleeps.
class SystemClock final : public Clock {
public:
    uint32_t ticks() override { return static_cast<uint32_t>(elapsedMilliseconds()); }

    void sleepUntil(uint32_t tick) override {
        const int64_t now = elapsedMilliseconds();
        const int32_t ahead = static_cast<int32_t>(tick - static_cast<uint32_t>(now));
        if (ahead <= 0) return;
        const int64_t deadline = start_ + (now + ahead) * 1'000'000;
        timespec at{};
        at.tv_sec = static_cast<time_t>(deadline / 1'000'000'000);
        at.tv_nsec = static_cast<long>(deadline % 1'000'000'000);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
    }

private:
    int64_t elapsedMilliseconds() const { return (monotonicNanoseconds() - start_) / 1'000'000; }

    int64_t start_ = monotonicNanoseconds();
};

// Time that passes only when it is looked at: every reading advances it by
// one millisecond and a sleep to its end, so a wait for a frame's end
// finishes at once in real time while the game sees the same tick sequence
// in every run.
class VirtualClock final : public Clock {
public:
    uint32_t ticks() override { return now_++; }
    void sleepUntil(uint32_t tick) override {
        if (static_cast<int32_t>(tick - now_) > 0) now_ = tick;
    }

private:
    uint32_t now_ = 0;
};
}  // namespace

std::unique_ptr<Clock> createSystemClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Clock> createVirtualClock() { return std::make_unique<VirtualClock>(); }

}  // namespace tiefschacht
