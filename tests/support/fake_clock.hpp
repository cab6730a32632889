#pragma once
// A clock the test drives: each reading advances by `step` ticks, a sleep by
// its length.
#include <cstdint>
#include <vector>

#include "platform/seams.hpp"

namespace testsupport {

class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 0, uint32_t stepEachReading = 1) : now(start), step(stepEachReading) {}
    uint32_t ticks() override {
        ++reads;
        uint32_t t = now;
        now += step;
        return t;
    }
    void sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
    uint32_t now;
    uint32_t step;
    int reads = 0;
    std::vector<uint32_t> sleeps;
};

}  // namespace testsupport
