#include "voxnote/analysis/filterbank/frame_measurement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/filterbank/log_scale.h"
#include "voxnote/analysis/filterbank/smoothing_chain.h"

namespace voxnote {
namespace {

constexpr uint32_t kNoSumYet = std::numeric_limits<uint32_t>::max();

void StartFrame(FrameMeasurementState& m) {
    m.smallest4 = m.smallest8 = m.smallest16 = kNoSumYet;
    m.largest24 = 0;
    m.frameMovement = 0;
}

// The movement of the group `back` groups before the newest (1 = the newest).
uint32_t GroupBack(const FrameMeasurementState& m, int back) {
    return m.groupRing[(m.ringIndex + kGroupRing - back) % kGroupRing];
}

// A finished group is read against the four sliding sums before the group
// that leaves each of them is taken out: at that moment a sum spans its window
// and the group just completed (5, 9, 17 and 25 groups). The frame's extremes
// are taken there; then every sum slides on by one group.
void FinishGroup(FrameMeasurementState& m) {
    uint32_t entering = m.groupMovement;
    m.smallest4 = std::min(m.smallest4, m.sum4 + entering);
    m.smallest8 = std::min(m.smallest8, m.sum8 + entering);
    m.smallest16 = std::min(m.smallest16, m.sum16 + entering);
    m.largest24 = std::max(m.largest24, m.sum24 + entering);
    m.sum4 += entering - GroupBack(m, 4);
    m.sum8 += entering - GroupBack(m, 8);
    m.sum16 += entering - GroupBack(m, 16);
    m.sum24 += entering - GroupBack(m, 24);
    m.groupRing[m.ringIndex] = entering;
    m.ringIndex = (m.ringIndex + 1) % kGroupRing;
    m.frameMovement += entering;
    m.groupMovement = 0;
}

uint32_t PackBandCandidates(const FrameMeasurementState& m) {
    uint32_t shortest = CoarseLog(m.smallest4 * 2) + 19;
    uint32_t middle = CoarseLog(m.smallest8) + 28;
    uint32_t longest = CoarseLog(m.smallest16 / 2) + 33;
    return (shortest << 20) | (middle << 10) | longest;
}

// The frame's weight and band candidates go into its own record. Its largest
// sum goes into the record two frames back: every window that ends in this
// frame covers that frame and the one after it, so a record's level is the
// loudest stretch around it rather than the tail of the one before.
void FinishFrame(DetectorState& state) {
    FrameMeasurementState& m = state.running.measurement;
    int32_t& write = state.running.frameWrite;
    PitchFrame& frame = state.frames[write];
    frame.weight = static_cast<uint16_t>(std::min<uint32_t>(m.frameMovement / 1024, 0xFFFF));
    uint32_t packed = PackBandCandidates(m);
    frame.bandLevel = static_cast<uint16_t>(packed);
    frame.pitch = static_cast<int16_t>(packed >> 16);
    frame.level = 0;

    uint32_t level = CoarseLog(m.largest24 / 2);
    if (write >= kLevelLagFrames) state.frames[write - kLevelLagFrames].level = static_cast<uint16_t>(level);
    m.blockLargestLevel = std::max(m.blockLargestLevel, level);
    ++write;
    StartFrame(m);
}

}  // namespace

void ResetFrameMeasurement(FrameMeasurementState& measurement) {
    measurement = FrameMeasurementState{};
    StartFrame(measurement);
}

void MeasureFrames(DetectorState& state) {
    FrameMeasurementState& m = state.running.measurement;
    int count = static_cast<int>(state.running.blockBytes / 2);
    const int32_t* s = state.history + kHistorySamples - kPreFilterLookahead;
    for (int i = 0; i < count; ++i) {
        int64_t difference = int64_t{s[i]} - m.previousSample;
        m.groupMovement += static_cast<uint32_t>(difference < 0 ? -difference : difference);
        m.previousSample = s[i];
        if (++m.sampleInGroup < kGroupSamples) continue;
        m.sampleInGroup = 0;
        FinishGroup(m);
        if (++m.groupInFrame < kGroupsPerFrame) continue;
        m.groupInFrame = 0;
        FinishFrame(state);
    }
}

}  // namespace voxnote
