// Struck wood: a few strong, quickly damped resonances and a sharp click.
// The rimshot adds the drum's shell under the stick hitting rim and head at once.
#include <initializer_list>
#include <tuple>

#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/oscillators.h"
#include "stepweave/data/synth/percussion_families.h"

namespace stepweave {

namespace {

void AddResonances(OversampledSound& sound, std::initializer_list<std::tuple<double, double, double>> modes) {
    for (auto [frequency, level, decay] : modes) {
        AddPartial(sound, {.frequencyHz = frequency, .amplitude = level, .decaySeconds = decay});
    }
}

}  // namespace

OversampledSound SynthesizeRimshot() {
    OversampledSound sound = SilentSound(0.22);
    AddResonances(sound, {{510.0, 1.0, 0.022}, {1730.0, 0.7, 0.014}, {3180.0, 0.35, 0.008}, {215.0, 0.4, 0.035}});
    AddNoiseBurst(sound, {.seed = 1001,
                          .amplitude = 0.8,
                          .attackSeconds = 0.0002,
                          .decaySeconds = 0.0025,
                          .lowCutHz = 2000.0,
                          .highCutHz = 12000.0});
    sound.attackSeconds = 0.0004;
    sound.releaseSeconds = 0.06;
    return sound;
}

OversampledSound SynthesizeWoodBlock() {
    OversampledSound sound = SilentSound(0.25);
    AddResonances(sound, {{920.0, 1.0, 0.045}, {2510.0, 0.3, 0.016}, {4390.0, 0.12, 0.008}});
    AddNoiseBurst(sound, {.seed = 1201,
                          .amplitude = 0.25,
                          .attackSeconds = 0.0002,
                          .decaySeconds = 0.001,
                          .lowCutHz = 1500.0,
                          .highCutHz = 8000.0});
    sound.attackSeconds = 0.0004;
    sound.releaseSeconds = 0.06;
    return sound;
}

}  // namespace stepweave
