#pragma once
// The system millisecond clock that live runs time their events on: the capture
// reads its start time from it, and the live-note sink schedules on the same
// clock. Tests replace it with a clock they move by hand.
#include <cstdint>

namespace voxnote {

class MillisecondClock {
public:
    virtual ~MillisecondClock() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
    virtual uint32_t Now() = 0;
};

// The monotonic system clock.
class SteadyMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override;
};

// The clock every part of the program shares unless a test installs another.
MillisecondClock& SystemClock();

}  // namespace voxnote
