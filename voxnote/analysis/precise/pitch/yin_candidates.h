#pragma once
// Probabilistic YIN: instead of one threshold on the normalised difference,
// a hundred thresholds 0.01..1.00 weighted by a Beta distribution (mean
// 0.15). Each threshold picks the first dip of d' below it, as plain YIN
// would; a dip's probability is the weight of the thresholds that pick it.
// Thresholds below every dip give a small share (1 %) of their weight to the
// deepest dip. The dips become pitch candidates at the interpolated lag.
#include <array>

#include "voxnote/analysis/precise/analysis_grid.h"

namespace voxnote::precise {

inline constexpr int kMostCandidates = 6;

struct PitchCandidate {
    float pitch = 0;        // MIDI semitones, fractional
    float probability = 0;  // 0..1
};

struct FrameCandidates {
    int count = 0;
    std::array<PitchCandidate, kMostCandidates> candidates{};
    float voicedProbability = 0;  // sum of the candidates' probabilities
};

class YinThresholdPrior {
public:
    YinThresholdPrior();
    // Weight of the thresholds s_i = i/100 with s_i <= value.
    float WeightUpTo(float value) const;

private:
    std::array<float, 101> cumulative_{};  // cumulative_[n] = weight of s_1..s_n
};

// Candidates from d and d' (0..kLargestLag+1), the most probable first, at
// most kMostCandidates, only those within kLowestPitch..kHighestPitch. The
// dips are found on d'; their bottoms are placed on d, whose shape the
// normalisation does not tilt (at short lags it would pull every pitch sharp).
void FindYinCandidates(const float* difference, const float* normalised, const YinThresholdPrior& prior,
                       FrameCandidates& result);

// MIDI pitch of a period in samples at the analysis rate.
float PitchOfLag(float lag);

}  // namespace voxnote::precise
