// Drums with a skin: the first few modes of a circular membrane (their
// frequencies fall a little after the strike as the head relaxes) over
// filtered noise for the stick's attack and, on the snare, the wires.
#include <initializer_list>

#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/oscillators.h"
#include "stepweave/data/synth/percussion_families.h"

namespace stepweave {

namespace {

// Mode ratios of an ideal circular membrane: (0,1), (1,1), (2,1), (0,2).
constexpr double kMembraneRatios[] = {1.0, 1.594, 2.136, 2.296};

struct MembraneShape {
    double fundamentalHz;
    double decaySeconds;
    double glideDepth;
    double glideSeconds;
    // Level of modes 2..4 relative to the fundamental.
    double overtoneLevels[3];
};

void AddMembraneModes(OversampledSound& sound, const MembraneShape& shape) {
    for (int mode = 0; mode < 4; ++mode) {
        const double level = mode == 0 ? 1.0 : shape.overtoneLevels[mode - 1];
        // Higher modes lose their energy faster.
        AddPartial(sound, {.frequencyHz = shape.fundamentalHz * kMembraneRatios[mode],
                           .amplitude = level,
                           .decaySeconds = shape.decaySeconds / (1.0 + 0.8 * mode),
                           .glideDepth = shape.glideDepth,
                           .glideSeconds = shape.glideSeconds});
    }
}

OversampledSound MakeTom(double seconds, double fundamentalHz, double decaySeconds, uint64_t seed) {
    OversampledSound sound = SilentSound(seconds);
    AddMembraneModes(sound, {.fundamentalHz = fundamentalHz,
                             .decaySeconds = decaySeconds,
                             .glideDepth = 0.3,
                             .glideSeconds = 0.04,
                             .overtoneLevels = {0.35, 0.18, 0.1}});
    AddNoiseBurst(sound, {.seed = seed,
                          .amplitude = 0.25,
                          .decaySeconds = 0.012,
                          .lowCutHz = 300.0,
                          .highCutHz = 3000.0});
    AddNoiseBurst(sound, {.seed = seed + 1,
                          .amplitude = 0.15,
                          .attackSeconds = 0.0002,
                          .decaySeconds = 0.002,
                          .lowCutHz = 2000.0,
                          .highCutHz = 9000.0});
    sound.releaseSeconds = seconds * 0.25;
    return sound;
}

}  // namespace

OversampledSound SynthesizeSnare() {
    OversampledSound sound = SilentSound(0.4);
    AddMembraneModes(sound, {.fundamentalHz = 185.0,
                             .decaySeconds = 0.09,
                             .glideDepth = 0.15,
                             .glideSeconds = 0.012,
                             .overtoneLevels = {0.6, 0.35, 0.25}});
    // The wires: bright noise that outlasts the shell.
    AddNoiseBurst(sound, {.seed = 301,
                          .amplitude = 2.4,
                          .attackSeconds = 0.001,
                          .decaySeconds = 0.1,
                          .lowCutHz = 1800.0,
                          .highCutHz = 10000.0});
    // The stick's crack on the head.
    AddNoiseBurst(sound, {.seed = 302,
                          .amplitude = 0.8,
                          .attackSeconds = 0.0003,
                          .decaySeconds = 0.006,
                          .lowCutHz = 800.0,
                          .highCutHz = 7000.0});
    sound.releaseSeconds = 0.1;
    return sound;
}

OversampledSound SynthesizeHighTom() {
    return MakeTom(0.55, 175.0, 0.2, 601);
}

OversampledSound SynthesizeLowTom() {
    return MakeTom(0.8, 98.0, 0.28, 701);
}

OversampledSound SynthesizeConga() {
    OversampledSound sound = SilentSound(0.4);
    AddMembraneModes(sound, {.fundamentalHz = 320.0,
                             .decaySeconds = 0.12,
                             .glideDepth = 0.08,
                             .glideSeconds = 0.015,
                             .overtoneLevels = {0.22, 0.1, 0.05}});
    // The palm's slap.
    AddNoiseBurst(sound, {.seed = 1301,
                          .amplitude = 0.2,
                          .decaySeconds = 0.006,
                          .lowCutHz = 900.0,
                          .highCutHz = 4000.0});
    sound.releaseSeconds = 0.1;
    return sound;
}

}  // namespace stepweave
