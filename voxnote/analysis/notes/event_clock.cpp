#include "voxnote/analysis/notes/event_clock.h"

namespace voxnote {
namespace {

// 40/49 in 0.32 fixed point: one frame (8 bytes of frame stream) is
// 8 * 2 * 40/49 = 640/49 ms.
constexpr uint64_t kFortyFortyNinths = 3506103393u;
constexpr uint64_t kFrameStreamBytesPerFrame = 8;

uint64_t Combined(const EventClock& clock) {
    return (uint64_t{clock.milliseconds} << 32) | clock.fraction;
}

void Store(EventClock& clock, uint64_t value) {
    clock.milliseconds = static_cast<uint32_t>(value >> 32);
    clock.fraction = static_cast<uint32_t>(value);
}

}  // namespace

void AdvanceEventClock(EventClock& clock, int32_t frames) {
    if (frames <= 0) return;
    uint64_t doubledBytes = uint64_t{static_cast<uint32_t>(frames)} * kFrameStreamBytesPerFrame * 2;
    Store(clock, Combined(clock) + doubledBytes * kFortyFortyNinths);
}

void SmoothTimeOffset(EventClock& clock, int32_t targetMs, uint8_t shift) {
    if (shift > 63) shift = 63;
    // Two's-complement arithmetic on the 64-bit pair, as the 32.32 clock is.
    uint64_t target = static_cast<uint64_t>(int64_t{targetMs}) << 32;
    int64_t difference = static_cast<int64_t>(target - static_cast<uint64_t>(clock.offsetAccumulator));
    int64_t step = difference >> shift;
    clock.offsetAccumulator = static_cast<int64_t>(static_cast<uint64_t>(clock.offsetAccumulator) +
                                                   static_cast<uint64_t>(step));
    Store(clock, Combined(clock) + static_cast<uint64_t>(step));
}

}  // namespace voxnote
