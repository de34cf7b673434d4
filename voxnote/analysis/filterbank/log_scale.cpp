#include "voxnote/analysis/filterbank/log_scale.h"

#include <array>

namespace voxnote {
namespace {

// T[i] = 44187388 / 2^(i/60) = 2^((1523.828 - i) / 60), truncated: one octave
// from 44187388 down, in steps of 2^(1/60). Entry 60 closes the octave (T[0] / 2) for the midpoint test.
constexpr std::array<uint32_t, 61> kThresholds = {
    44187388, 43679852, 43178146, 42682203, 42191956, 41707340, 41228290, 40754743,
    40286635, 39823903, 39366487, 38914324, 38467355, 38025520, 37588759, 37157016,
    36730231, 36308348, 35891311, 35479064, 35071553, 34668721, 34270517, 33876887,
    33487778, 33103138, 32722916, 32347061, 31975523, 31608253, 31245201, 30886319,
    30531560, 30180875, 29834218, 29491543, 29152804, 28817955, 28486953, 28159752,
    27836310, 27516582, 27200527, 26888103, 26579267, 26273978, 25972195, 25673879,
    25378989, 25087487, 24799333, 24514488, 24232915, 23954576, 23679434, 23407453,
    23138595, 22872826, 22610109, 22350410, 22093694,
};

// Number of the first 60 thresholds that are greater than x (x is normalised
// into the table's octave, so this is a position in 60ths of an octave). The
// octave is cut into slices of 65536, narrower than the gap between any two
// neighbouring thresholds: a slice holds at most one of them, so its count at
// its start, less one from that threshold on, gives the count for any x. This
// is what a bisection over the table finds, without its chain of dependent
// comparisons.
constexpr uint32_t kOctaveStart = kThresholds[60];  // T[0] / 2
constexpr int kSliceBits = 16;
constexpr int kSlices = static_cast<int>((kThresholds[0] - kOctaveStart) >> kSliceBits) + 1;

struct ThresholdSlices {
    uint8_t countAtStart[kSlices] = {};
    uint32_t thresholdWithin[kSlices] = {};  // none: beyond every x of the slice
};

constexpr ThresholdSlices MakeThresholdSlices() {
    ThresholdSlices slices;
    for (int slice = 0; slice < kSlices; ++slice) {
        uint32_t start = kOctaveStart + (static_cast<uint32_t>(slice) << kSliceBits);
        uint32_t last = start + ((1u << kSliceBits) - 1);
        uint8_t count = 0;
        slices.thresholdWithin[slice] = 0xFFFFFFFFu;
        for (int i = 0; i < 60; ++i) {
            if (kThresholds[i] > start) ++count;
            if (kThresholds[i] > start && kThresholds[i] <= last) slices.thresholdWithin[slice] = kThresholds[i];
        }
        slices.countAtStart[slice] = count;
    }
    return slices;
}
constexpr ThresholdSlices kSlicesOfOctave = MakeThresholdSlices();

constexpr bool NeighboursWiderThanASlice() {
    for (int i = 0; i < 60; ++i) {
        if (kThresholds[i] - kThresholds[i + 1] <= (1u << kSliceBits)) return false;
    }
    return true;
}
static_assert(NeighboursWiderThanASlice(), "a slice may hold one threshold at most");

uint32_t ThresholdsAbove(uint32_t x) {
    if (x >= kThresholds[0]) return 0;
    if (x < kOctaveStart) return 60;
    uint32_t slice = (x - kOctaveStart) >> kSliceBits;
    return kSlicesOfOctave.countAtStart[slice] - (x >= kSlicesOfOctave.thresholdWithin[slice] ? 1u : 0u);
}

// Shifts x left by `bits` when it is below `limit`, counting the shift.
inline void NormaliseStep(uint32_t& x, uint32_t limit, int bits, int32_t& shifted) {
    bool below = x < limit;
    x = below ? x << bits : x;
    shifted += below ? bits : 0;
}

}  // namespace

uint32_t CoarseLog(uint32_t x) {
    int32_t shifted = 0;
    NormaliseStep(x, 172607, 8, shifted);
    NormaliseStep(x, 2761712, 4, shifted);
    NormaliseStep(x, 11046847, 2, shifted);
    NormaliseStep(x, 22093694, 1, shifted);
    return 960 - 60 * static_cast<uint32_t>(shifted) - ThresholdsAbove(x);
}

int32_t FineLog(uint32_t v) {
    int32_t shifted = 0;
    NormaliseStep(v, 2761712, 4, shifted);
    NormaliseStep(v, 11046847, 2, shifted);
    NormaliseStep(v, 22093694, 1, shifted);
    int32_t value = 9 + 120 * shifted;
    uint32_t above = ThresholdsAbove(v);
    value += static_cast<int32_t>(2 * above);
    // Half steps: closer to the next greater threshold than to the one below.
    if (above > 0) {
        uint32_t below = kThresholds[above];
        uint32_t midpoint = below + (kThresholds[above - 1] - below) / 2;
        if (v >= midpoint) value -= 1;
    }
    return value;
}

}  // namespace voxnote
