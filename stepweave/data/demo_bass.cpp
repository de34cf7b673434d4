// The demo's bass: a plucked string's harmonics, each dying away faster than
// the one below it, with a slight pitch drop at the attack and a short noise
// click for the pick. Kept at about -14 dB so that it sits under the drums.
#include <cmath>

#include "stepweave/data/demo_song.h"
#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/oscillators.h"
#include "stepweave/data/synth/sound_finishing.h"

namespace stepweave {

namespace {

constexpr double kBassNoteHz = 82.4069;  // E
constexpr double kSeconds = 0.9;
constexpr int kHarmonics = 10;
constexpr double kLevelBelowDrums = 0.2;

}  // namespace

std::vector<int16_t> SynthesizeDemoBass() {
    OversampledSound sound = SilentSound(kSeconds);
    for (int harmonic = 1; harmonic <= kHarmonics; ++harmonic) {
        AddPartial(sound, {.frequencyHz = kBassNoteHz * harmonic,
                           .amplitude = 1.0 / std::pow(harmonic, 1.3),
                           .decaySeconds = 0.55 / std::pow(harmonic, 0.8),
                           .glideDepth = 0.015,
                           .glideSeconds = 0.02});
    }
    AddNoiseBurst(sound, {.seed = 4101,
                          .amplitude = 0.08,
                          .decaySeconds = 0.004,
                          .lowCutHz = 600.0,
                          .highCutHz = 4000.0});
    sound.attackSeconds = 0.002;
    sound.releaseSeconds = 0.12;
    std::vector<int16_t> samples = FinishSound(sound);
    for (int16_t& sample : samples) {
        sample = static_cast<int16_t>(std::lround(sample * kLevelBelowDrums));
    }
    return samples;
}

}  // namespace stepweave
