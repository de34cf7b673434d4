#include "stepweave/data/synth/sound_finishing.h"

#include <algorithm>
#include <cmath>

#include "stepweave/data/synth/biquad_filter.h"
#include "stepweave/data/synth/half_rate_decimator.h"

namespace stepweave {

namespace {

constexpr double kDcCutoffHz = 20.0;

void RemoveDc(std::vector<double>& samples) {
    auto highPass = BiquadFilter::HighPass(kDcCutoffHz, 0.7071, kDrumOutputRate);
    highPass.ProcessAll(samples);
}

// Raised-cosine gain from 0 to 1 over the first samples, and from 1 to 0 over
// the last ones, so both ends are exactly zero.
void FadeEnds(std::vector<double>& samples, double attackSeconds, double releaseSeconds) {
    const int count = static_cast<int>(samples.size());
    const int attack = std::clamp(static_cast<int>(std::lround(attackSeconds * kDrumOutputRate)), 1, count);
    const int release = std::clamp(static_cast<int>(std::lround(releaseSeconds * kDrumOutputRate)), 1, count);
    for (int i = 0; i < attack; ++i) {
        samples[static_cast<size_t>(i)] *= 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * i / attack);
    }
    for (int i = 0; i < release; ++i) {
        const int index = count - 1 - i;
        samples[static_cast<size_t>(index)] *= 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * i / release);
    }
}

// What the high-pass leaves of an offset (a sound cut off while its filter
// still settles) is taken out under a Hann window, which keeps both ends at
// zero and only adds a bump far below the audible range.
void CentreOnZero(std::vector<double>& samples) {
    const size_t count = samples.size();
    if (count < 3) {
        return;
    }
    double sum = 0.0;
    double windowSum = 0.0;
    std::vector<double> window(count);
    for (size_t i = 0; i < count; ++i) {
        window[i] = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / static_cast<double>(count - 1));
        sum += samples[i];
        windowSum += window[i];
    }
    const double scale = sum / windowSum;
    for (size_t i = 0; i < count; ++i) {
        samples[i] -= scale * window[i];
    }
}

std::vector<int16_t> ScaleToPeak(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    const double gain = peak > 0.0 ? kDrumPeakLevel / peak : 0.0;
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        pcm[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
    }
    return pcm;
}

}  // namespace

std::vector<int16_t> FinishSound(const OversampledSound& sound) {
    std::vector<double> samples = DecimateByTwo(sound.samples);
    if (samples.empty()) {
        return {};
    }
    RemoveDc(samples);
    FadeEnds(samples, sound.attackSeconds, sound.releaseSeconds);
    CentreOnZero(samples);
    return ScaleToPeak(samples);
}

}  // namespace stepweave
