#pragma once
// Level and movement of every 144-sample frame, measured over the pre-filtered
// signal in groups of 18 samples. Resumable: it stops when the samples run out
// and continues at the same point with the next block.
#include <cstdint>

namespace voxnote {

constexpr int kGroupSamples = 18;
constexpr int kGroupsPerFrame = 8;
constexpr int kFrameSamples = kGroupSamples * kGroupsPerFrame;  // 144
constexpr int kGroupRing = 24;  // the longest sliding sum: 24 groups = 432 samples
// A frame's level comes from the sums that end this many frames after it.
constexpr int32_t kLevelLagFrames = 2;

struct FrameMeasurementState {
    int32_t previousSample = 0;
    uint32_t sampleInGroup = 0;
    uint32_t groupInFrame = 0;
    uint32_t groupMovement = 0;
    uint32_t groupRing[kGroupRing] = {};
    uint32_t ringIndex = 0;
    uint32_t sum4 = 0, sum8 = 0, sum16 = 0, sum24 = 0;
    uint32_t smallest4 = 0, smallest8 = 0, smallest16 = 0, largest24 = 0;
    uint32_t frameMovement = 0;
    uint32_t blockLargestLevel = 0;
    uint8_t previousBlockMeter = 0;
};

struct DetectorState;
void ResetFrameMeasurement(FrameMeasurementState& measurement);
// Measures the new pre-filtered samples of the block and writes frame records.
void MeasureFrames(DetectorState& state);

}  // namespace voxnote
