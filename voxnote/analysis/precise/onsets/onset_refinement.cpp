#include "voxnote/analysis/precise/onsets/onset_refinement.h"

#include <algorithm>

#include "voxnote/analysis/precise/onsets/loudness_level.h"

namespace voxnote::precise {

namespace {

constexpr int kStep = 32;
constexpr int kWindow = 128;
constexpr int64_t kLookBack = 441;    // 40 ms
constexpr int64_t kLookAhead = 331;   // 30 ms: a frame may start a little before its sound
constexpr int64_t kPeakReach = 662;   // 60 ms after the start: the level the sound reaches
constexpr float kRiseBelowPeak = 120.0f;  // 12 dB in log units
constexpr int64_t kStepPosition = 40;

float LevelAround(std::span<const int16_t> samples, int64_t centre) {
    return WindowLevel(samples, centre - kWindow / 2, kWindow);
}

}  // namespace

int64_t RefineOnset(std::span<const int16_t> samples, int64_t earliest, int64_t start) {
    const int64_t from = std::max({earliest, start - kLookBack, int64_t{0}});
    const int64_t to = start + kLookAhead;
    float peak = 0.0f;
    for (int64_t at = start; at <= start + kPeakReach; at += kStep) peak = std::max(peak, LevelAround(samples, at));
    const float threshold = peak - kRiseBelowPeak;
    // Already loud where the search begins: at the file's first sample the
    // sound starts there; anywhere else no rise was found to move to.
    if (LevelAround(samples, from) >= threshold) return from == 0 ? 0 : start;
    for (int64_t at = from + kStep; at <= to; at += kStep) {
        if (LevelAround(samples, at) >= threshold) {
            // A step in the sound reaches 12 dB below its level in a window
            // centred here when it lies 24 to 56 samples after the centre.
            return std::clamp(at + kStepPosition, from, to);
        }
    }
    return start;
}

}  // namespace voxnote::precise
