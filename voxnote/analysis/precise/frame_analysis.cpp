#include "voxnote/analysis/precise/frame_analysis.h"

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/onsets/loudness_level.h"

namespace voxnote::precise {

namespace {

constexpr float kFullScale = 32768.0f;

// The mean squares of the differences between consecutive samples, in
// 16-bit units: over the whole frame, and over its middle half.
struct FrameMovement {
    double whole = 0;
    double middle = 0;
};

// samples[from, from + count) as floats of -1..1, silence outside the signal.
FrameMovement CopyFrame(std::span<const int16_t> samples, int64_t from, int count, float* frame) {
    const int64_t size = static_cast<int64_t>(samples.size());
    auto at = [&](int64_t i) { return i >= 0 && i < size ? samples[static_cast<size_t>(i)] : int16_t{0}; };
    double sum = 0.0;
    double middle = 0.0;
    int32_t previous = at(from - 1);
    for (int i = 0; i < count; ++i) {
        const int32_t value = at(from + i);
        const double difference = value - previous;
        sum += difference * difference;
        if (i >= count / 4 && i < count - count / 4) middle += difference * difference;
        previous = value;
        frame[i] = static_cast<float>(value) / kFullScale;
    }
    return {sum / count, middle / (count - 2 * (count / 4))};
}

void FindCandidates(std::span<const int16_t> samples, int64_t centre, DetectorWork& work, FrameCandidates& result) {
    // The compared window is centred on the frame; the lags reach past it.
    CopyFrame(samples, centre - kYinWindow / 2, kFftSize, work.yinFrame.data());
    work.difference.Compute(work.yinFrame.data(), work.squaredDifference.data(), work.normalisedDifference.data());
    FindYinCandidates(work.squaredDifference.data(), work.normalisedDifference.data(), work.thresholdPrior, result);
}

}  // namespace

void AnalyseFrames(std::span<const int16_t> samples, size_t frameCount, bool withPitch, DetectorWork& work) {
    work.flux.Reset();
    for (size_t f = 0; f < frameCount; ++f) {
        const int64_t centre = FrameCentre(f);
        const FrameMovement movement = CopyFrame(samples, centre - kFftSize / 2, kFftSize, work.centredFrame.data());
        work.levels[f] = LevelOfMovement(movement.whole);
        work.fineLevels[f] = LevelOfMovement(movement.middle);
        work.silent[f] = work.levels[f] < kSilentLevel ? 1 : 0;
        const SpectralFlux::Rise rise = work.flux.Next(work.centredFrame.data());
        work.fluxes[f] = rise.flux;
        work.attackFluxes[f] = rise.attackFlux;
        work.flatness[f] = rise.flatness;
        if (!withPitch) continue;
        if (work.silent[f]) {
            work.candidates[f] = {};
        } else {
            FindCandidates(samples, centre, work, work.candidates[f]);
        }
    }
}

}  // namespace voxnote::precise
