#include "voxnote/analysis/log_scale.h"

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
// into the table's octave, so this is a position in 60ths of an octave).
// Bisection: split at entry 29, then steps of 16, 8, 4, 2 and 1.
uint32_t ThresholdsAbove(uint32_t x) {
    int index = x < kThresholds[29] ? 29 : -1;  // last entry known to be greater
    for (int step = 16; step > 0; step /= 2) {
        int probe = index + step;
        index = (probe < 60 && x < kThresholds[probe]) ? probe : index;
    }
    return static_cast<uint32_t>(index + 1);
}

}  // namespace

uint32_t CoarseLog(uint32_t x) {
    uint32_t value = 960;
    if (x < 172607) { x <<= 8; value -= 480; }
    if (x < 2761712) { x <<= 4; value -= 240; }
    if (x < 11046847) { x <<= 2; value -= 120; }
    if (x < 22093694) { x <<= 1; value -= 60; }
    return value - ThresholdsAbove(x);
}

int32_t FineLog(uint32_t v) {
    int32_t value = 9;
    if (v < 2761712) { v <<= 4; value += 480; }
    if (v < 11046847) { v <<= 2; value += 240; }
    if (v < 22093694) { v <<= 1; value += 120; }
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
