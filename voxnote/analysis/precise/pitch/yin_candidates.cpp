#include "voxnote/analysis/precise/pitch/yin_candidates.h"

#include <algorithm>
#include <cmath>

namespace voxnote::precise {

namespace {

// Beta(2, 34/3): mean 0.15, most thresholds between 0.03 and 0.35.
constexpr double kBetaA = 2.0;
constexpr double kBetaB = 34.0 / 3.0;
// Share of the thresholds that lie below every dip given to the deepest dip.
constexpr float kDeepestDipShare = 0.01f;

// The dip's bottom from a parabola through it and its neighbours: its lag
// and its depth. A short period falls between two lags, so the sampled dip
// can lie well above the true one; the parabola's bottom is much closer.
struct DipBottom {
    float lag;
    float value;
};

DipBottom InterpolatedDip(const float* difference, const float* normalised, int lag) {
    const float left = difference[lag - 1];
    const float centre = difference[lag];
    const float right = difference[lag + 1];
    const float curvature = left - 2.0f * centre + right;
    if (curvature <= 0.0f || centre <= 0.0f) return {static_cast<float>(lag), normalised[lag]};
    const float offset = std::clamp(0.5f * (left - right) / curvature, -0.5f, 0.5f);
    const float bottom = std::max(0.0f, centre - 0.25f * (left - right) * offset);
    // d' is d scaled by a factor that barely changes within one lag.
    return {static_cast<float>(lag) + offset, normalised[lag] * (bottom / centre)};
}

void AddCandidate(FrameCandidates& result, float pitch, float probability) {
    if (probability <= 0.0f || pitch < kLowestPitch || pitch > kHighestPitch) return;
    PitchCandidate candidate{pitch, probability};
    if (result.count < kMostCandidates) {
        result.candidates[static_cast<size_t>(result.count++)] = candidate;
        return;
    }
    auto weakest = std::min_element(result.candidates.begin(), result.candidates.end(),
                                    [](const PitchCandidate& a, const PitchCandidate& b) {
                                        return a.probability < b.probability;
                                    });
    if (weakest->probability < probability) *weakest = candidate;
}

}  // namespace

YinThresholdPrior::YinThresholdPrior() {
    double total = 0.0;
    std::array<double, 101> density{};
    for (int i = 1; i <= 100; ++i) {
        const double s = i / 100.0;
        density[static_cast<size_t>(i)] = std::pow(s, kBetaA - 1.0) * std::pow(1.0 - s, kBetaB - 1.0);
        total += density[static_cast<size_t>(i)];
    }
    double running = 0.0;
    for (int i = 1; i <= 100; ++i) {
        running += density[static_cast<size_t>(i)] / total;
        cumulative_[static_cast<size_t>(i)] = static_cast<float>(running);
    }
    cumulative_[100] = 1.0f;
}

float YinThresholdPrior::WeightUpTo(float value) const {
    if (!(value > 0.0f)) return 0.0f;
    const int n = std::min(100, static_cast<int>(value * 100.0f));
    return cumulative_[static_cast<size_t>(n)];
}

float PitchOfLag(float lag) {
    return 69.0f + 12.0f * std::log2(static_cast<float>(kAnalysisRate) / (lag * 440.0f));
}

void FindYinCandidates(const float* difference, const float* normalised, const YinThresholdPrior& prior,
                       FrameCandidates& result) {
    result.count = 0;
    result.voicedProbability = 0.0f;
    float shallowestBefore = 2.0f;  // smallest dip so far: thresholds above it picked an earlier dip
    DipBottom deepest{0.0f, 2.0f};
    for (int lag = kSmallestLag; lag <= kLargestLag; ++lag) {
        if (!(normalised[lag] < normalised[lag - 1] && normalised[lag] <= normalised[lag + 1])) continue;
        const DipBottom dip = InterpolatedDip(difference, normalised, lag);
        if (dip.value < deepest.value) deepest = dip;
        if (dip.value >= shallowestBefore) continue;
        const float share = prior.WeightUpTo(shallowestBefore) - prior.WeightUpTo(dip.value);
        shallowestBefore = dip.value;
        AddCandidate(result, PitchOfLag(dip.lag), share);
    }
    if (deepest.lag > 0.0f) {
        // The same computation as the dip's own candidate, so equal pitches are the same dip.
        const float pitch = PitchOfLag(deepest.lag);
        const float extra = kDeepestDipShare * prior.WeightUpTo(deepest.value);
        bool merged = false;
        for (int i = 0; i < result.count; ++i) {
            if (result.candidates[static_cast<size_t>(i)].pitch == pitch) {
                result.candidates[static_cast<size_t>(i)].probability += extra;
                merged = true;
            }
        }
        if (!merged) AddCandidate(result, pitch, extra);
    }
    for (int i = 0; i < result.count; ++i) result.voicedProbability += result.candidates[static_cast<size_t>(i)].probability;
    std::sort(result.candidates.begin(), result.candidates.begin() + result.count,
              [](const PitchCandidate& a, const PitchCandidate& b) { return a.probability > b.probability; });
}

}  // namespace voxnote::precise
