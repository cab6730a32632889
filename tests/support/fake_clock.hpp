// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock the test drives: each reading advances by `step` ticks, a sleep
// to the tick it asks for. Every sleep's end is listed.
#include <cstdint>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

namespace testsupport {

class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 0, uint32_t stepEachReading = 1)
        : now(start), step(stepEachReading) {}
    uint32_t ticks() override {
        ++reads;
        uint32_t t = now;
        now += step;
        return t;
    }
    void sleepUntil(uint32_t tick) override {
        sleeps.push_back(tick);
        if (static_cast<int32_t>(tick - now) > 0) now = tick;
    }
    uint32_t now;
    uint32_t step;
    int reads = 0;
    std::vector<uint32_t> sleeps;  // the ticks slept to
};

}  // namespace testsupport

}  // namespace tiefschacht
