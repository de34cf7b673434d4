#pragma once
// An event waiting in the detector's queue until the caller drains it.
#include <cstdint>

namespace voxnote {

// Six bytes: the time is kept as two 16-bit halves so that the record packs
// without padding (682 of them fill the 4096-byte queue).
struct PendingEvent {
    uint8_t note = 0;
    uint8_t velocity = 0;  // 0 = note-off
    uint16_t timeLow = 0;
    uint16_t timeHigh = 0;

    uint32_t TimeMs() const { return uint32_t{timeLow} | (uint32_t{timeHigh} << 16); }
    void SetTimeMs(uint32_t ms) {
        timeLow = static_cast<uint16_t>(ms);
        timeHigh = static_cast<uint16_t>(ms >> 16);
    }
};
static_assert(sizeof(PendingEvent) == 6);

constexpr uint32_t kPendingQueueBytes = 4096;
constexpr uint32_t kPendingQueueSlots = kPendingQueueBytes / sizeof(PendingEvent);  // 682

}  // namespace voxnote
