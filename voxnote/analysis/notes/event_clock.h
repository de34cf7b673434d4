#pragma once
// The event clock: milliseconds as a 32.32 fixed-point pair, the time of the
// last emitted event (times never go backwards) and the smoothed time offset
// that lets the clock follow a drift target.
#include <cstdint>

namespace voxnote {

struct EventClock {
    uint32_t fraction = 0;
    uint32_t milliseconds = 0;
    uint32_t lastEventMs = 0;
    int64_t offsetAccumulator = 0;  // 32.32 milliseconds already applied
};

// 640/49 ms per frame as a 32.32 product factor: 2 * 40/49 per frame byte.
void AdvanceEventClock(EventClock& clock, int32_t frames);
// Moves the clock a 2^shift-th of the way toward the drift target.
void SmoothTimeOffset(EventClock& clock, int32_t targetMs, uint8_t shift);

}  // namespace voxnote
