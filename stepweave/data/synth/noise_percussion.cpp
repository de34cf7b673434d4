// Noise instruments. The clap is a few quick bursts of band-passed noise,
// as several hands never meet at quite the same moment, and the room's
// short tail after them. The shaker is a swarm of tiny bead hits whose
// density swells and fades with the shake.
#include <cmath>
#include <vector>

#include "stepweave/data/synth/biquad_filter.h"
#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/noise_source.h"
#include "stepweave/data/synth/percussion_families.h"

namespace stepweave {

OversampledSound SynthesizeClap() {
    OversampledSound sound = SilentSound(0.35);
    const double burstStarts[] = {0.0, 0.0095, 0.0185, 0.0290};
    const double burstLevels[] = {0.8, 0.95, 0.85, 1.0};
    for (int burst = 0; burst < 4; ++burst) {
        const bool last = burst == 3;
        AddNoiseBurst(sound, {.seed = static_cast<uint64_t>(1501 + burst),
                              .amplitude = burstLevels[burst],
                              .startSeconds = burstStarts[burst],
                              .attackSeconds = 0.0003,
                              .decaySeconds = last ? 0.075 : 0.0045,
                              .lowCutHz = 700.0,
                              .highCutHz = 5000.0});
    }
    auto body = BiquadFilter::BandPass(1200.0, 1.1, kSynthRate);
    std::vector<double> dry = sound.samples;
    for (size_t i = 0; i < dry.size(); ++i) {
        sound.samples[i] = body.Process(dry[i]) * 1.4 + 0.3 * dry[i];
    }
    sound.attackSeconds = 0.0003;
    sound.releaseSeconds = 0.08;
    return sound;
}

OversampledSound SynthesizeShaker() {
    OversampledSound sound = SilentSound(0.22);
    NoiseSource beads(1101);
    NoiseSource hiss(1102);
    const double grainDecay = std::exp(-1.0 / (0.0006 * kSynthRate));
    double grain = 0.0;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = SynthTime(static_cast<int>(i));
        // The shake: beads start hitting, peak at about 35 ms, then settle.
        const double density = (t / 0.035) * std::exp(1.0 - t / 0.035);
        if (beads.Uniform() < density * 3000.0 / kSynthRate) {
            grain += beads.Between(0.3, 1.0);
        }
        grain *= grainDecay;
        sound.samples[i] = grain * hiss.Next() + 0.15 * density * hiss.Next();
    }
    auto highPass = BiquadFilter::HighPass(5000.0, 0.7071, kSynthRate);
    auto presence = BiquadFilter::BandPass(9000.0, 0.7, kSynthRate);
    for (double& sample : sound.samples) {
        const double bright = highPass.Process(sample);
        sample = 0.6 * bright + 0.8 * presence.Process(bright);
    }
    sound.attackSeconds = 0.002;
    sound.releaseSeconds = 0.06;
    return sound;
}

}  // namespace stepweave
