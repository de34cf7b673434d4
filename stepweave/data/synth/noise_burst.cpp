#include "stepweave/data/synth/noise_burst.h"

#include <algorithm>
#include <cmath>

#include "stepweave/data/synth/biquad_filter.h"
#include "stepweave/data/synth/noise_source.h"

namespace stepweave {

void AddNoiseBurst(OversampledSound& sound, const NoiseBurst& burst) {
    NoiseSource noise(burst.seed);
    auto highPass = BiquadFilter::HighPass(burst.lowCutHz, 0.7071, kSynthRate);
    auto lowPass = BiquadFilter::LowPass(burst.highCutHz, 0.7071, kSynthRate);
    const int first = SynthSamples(burst.startSeconds);
    const int count = static_cast<int>(sound.samples.size());
    for (int i = std::max(first, 0); i < count; ++i) {
        const double t = SynthTime(i - first);
        const double rise = t < burst.attackSeconds ? t / burst.attackSeconds : 1.0;
        const double envelope = burst.amplitude * rise * std::exp(-t / burst.decaySeconds);
        const double filtered = lowPass.Process(highPass.Process(noise.Next()));
        sound.samples[static_cast<size_t>(i)] += envelope * filtered;
    }
}

}  // namespace stepweave
