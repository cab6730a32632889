#include <chrono>
#include <thread>

#include "platform/backends.hpp"

namespace {
// Milliseconds of the steady clock since the clock was made.
class SystemClock final : public Clock {
public:
    uint32_t ticks() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start_);
        return static_cast<uint32_t>(static_cast<uint64_t>(ms.count()));
    }
    // Sleeps until tick ticks() + ms begins, not for ms from now: a wait
    // that sleeps away all but the last tick before its end then has that
    // whole tick to wake up in, however much of the current tick had passed.
    void sleep(uint32_t ms) override {
        auto tick = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
        std::this_thread::sleep_until(start_ + tick + std::chrono::milliseconds(ms));
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Time that passes only when it is looked at: every reading advances it by
// one millisecond and a sleep by its length, so a wait for a frame's end
// finishes at once in real time while the game sees the same tick sequence
// in every run.
class VirtualClock final : public Clock {
public:
    uint32_t ticks() override { return now_++; }
    void sleep(uint32_t ms) override { now_ += ms; }

private:
    uint32_t now_ = 0;
};
}  // namespace

std::unique_ptr<Clock> createSystemClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Clock> createVirtualClock() { return std::make_unique<VirtualClock>(); }
