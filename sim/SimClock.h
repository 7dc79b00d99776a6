#pragma once
// Time source of the virtual ECU and its ports, in microseconds. Tests drive a manual
// clock so every exchange is exact and instant; live use runs on the monotonic clock.

#include <chrono>
#include <cstdint>
#include <thread>

namespace dp::sim {

class SimClock {
public:
    virtual ~SimClock() = default;
    virtual int64_t nowUs() const = 0;
    // Returns at once when t is not in the future.
    virtual void sleepUntilUs(int64_t t) = 0;
};

// Time moves only when told to; sleeping jumps straight to the wake-up time.
class ManualClock : public SimClock {
public:
    explicit ManualClock(int64_t startUs = 0) : now_(startUs) {}
    int64_t nowUs() const override { return now_; }
    void sleepUntilUs(int64_t t) override
    {
        if (t > now_) now_ = t;
    }
    void advanceUs(int64_t d) { sleepUntilUs(now_ + d); }

private:
    int64_t now_;
};

// Real monotonic time, counted from the clock's creation.
class SteadyClock : public SimClock {
public:
    int64_t nowUs() const override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_).count();
    }
    void sleepUntilUs(int64_t t) override
    {
        if (t > nowUs()) std::this_thread::sleep_until(start_ + std::chrono::microseconds(t));
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_ = Clock::now();
};

}  // namespace dp::sim
