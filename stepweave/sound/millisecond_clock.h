#pragma once
// The millisecond clock that step clocks, sweeps and stream updates run on.
// Tests replace it with a clock they move by hand.
#include <cstdint>

namespace stepweave {

class MillisecondClock {
public:
    virtual ~MillisecondClock() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
    virtual uint32_t Now() = 0;
    // Blocks the calling (main) thread until Now() has reached due, without spinning.
    virtual void SleepUntil(uint32_t due) = 0;
};

// The monotonic system clock.
class SteadyMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override;
    void SleepUntil(uint32_t due) override;
};

// The clock every part of the program shares unless a test installs another.
MillisecondClock& SystemClock();

// A clock that only moves when told to; SleepUntil jumps to the due time.
class ManualMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_; }
    void SleepUntil(uint32_t due) override;
    void Advance(uint32_t milliseconds) { now_ += milliseconds; }
    void Set(uint32_t now) { now_ = now; }

private:
    uint32_t now_ = 0;
};

}  // namespace stepweave
