#pragma once
// The millisecond clock that step clocks, sweeps and stream updates run on.
// Tests replace it with a clock they move by hand (tests/support).
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

}  // namespace stepweave
