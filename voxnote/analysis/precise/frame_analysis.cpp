#include "voxnote/analysis/precise/frame_analysis.h"

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/loudness_level.h"

namespace voxnote::precise {

namespace {

constexpr float kFullScale = 32768.0f;

// samples[from, from + count) as floats of -1..1, silence outside the signal.
// Returns the mean square in 16-bit units.
double CopyFrame(std::span<const int16_t> samples, int64_t from, int count, float* frame) {
    const int64_t size = static_cast<int64_t>(samples.size());
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const int64_t at = from + i;
        const int16_t value = at >= 0 && at < size ? samples[static_cast<size_t>(at)] : 0;
        sum += static_cast<double>(value) * value;
        frame[i] = static_cast<float>(value) / kFullScale;
    }
    return sum / count;
}

void FindCandidates(std::span<const int16_t> samples, int64_t centre, DetectorWork& work, FrameCandidates& result) {
    // The compared window is centred on the frame; the lags reach past it.
    CopyFrame(samples, centre - kYinWindow / 2, kFftSize, work.yinFrame.data());
    const float windowMeanSquare = work.difference.Compute(work.yinFrame.data(), work.normalisedDifference.data());
    const double fullScaleSquare = double{kFullScale} * kFullScale;
    if (LevelOfMeanSquare(windowMeanSquare * fullScaleSquare) < kSilentLevel) {
        result.count = 0;
        result.voicedProbability = 0.0f;
        return;
    }
    FindYinCandidates(work.normalisedDifference.data(), work.thresholdPrior, result);
}

}  // namespace

void AnalyseFrames(std::span<const int16_t> samples, size_t frameCount, bool withPitch, DetectorWork& work) {
    work.flux.Reset();
    for (size_t f = 0; f < frameCount; ++f) {
        const int64_t centre = FrameCentre(f);
        const double meanSquare = CopyFrame(samples, centre - kFftSize / 2, kFftSize, work.centredFrame.data());
        work.levels[f] = LevelOfMeanSquare(meanSquare);
        work.silent[f] = work.levels[f] < kSilentLevel ? 1 : 0;
        work.fluxes[f] = work.flux.Next(work.centredFrame.data());
        if (withPitch) FindCandidates(samples, centre, work, work.candidates[f]);
    }
}

}  // namespace voxnote::precise
