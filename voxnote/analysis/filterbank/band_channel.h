#pragma once
// The running state of one band channel's period tracker. Positions count
// samples of the whole run (they wrap like any 32-bit counter); intervals and
// spans are compared in bytes of 32-bit samples, four per sample.
#include <cstdint>

namespace voxnote {

enum BandChannelFlags : uint8_t {
    kSeekingMaximum = 1,  // else the tracker looks for a minimum
};

// Reference kinds of a frame's span: none yet, a maximum or a minimum.
enum SpanReference : uint8_t { kNoReference = 0, kMaximumReference = 1, kMinimumReference = 2 };

struct BandChannel {
    uint8_t flags = 0;
    uint8_t cycleCount[3] = {};       // extremum counts: current frame, previous, two back
    int32_t frameClock = 0;           // bytes; the channel closes a frame at 0
    int32_t span[2] = {};             // bytes from the frame's reference to the latest like extremum
    uint32_t lastMaxPosition = 0;
    uint32_t lastMinPosition = 0;
    int32_t lastMaxValue = 0;
    int32_t lastMinValue = 0;
    uint32_t smallestSwing[3] = {};   // of the current frame alone, the previous, two back
    int32_t lowerBound = 0;           // bytes
    int32_t windowWidth = 0;          // bytes
    int32_t runningExtremum = 0;
    uint32_t runningExtremumPosition = 0;
    uint32_t resumePosition = 0;      // next band-signal position (history index) to compute
    uint32_t columnPosition = 0;      // byte offset of the channel's next channel-table entry
    int32_t hysteresisPositive = 0;   // +2h
    int32_t hysteresisNegative = 0;   // -2h
    uint8_t strengthShift = 0;
    uint8_t strengthOffset = 0;
    uint8_t referenceKind[2] = {};    // SpanReference of the current and the previous frame
    uint32_t referencePosition[2] = {};
};

}  // namespace voxnote
