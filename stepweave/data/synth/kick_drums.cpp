// Kick drums: a sine whose pitch falls fast from the beater's impact to the
// drum's low resonance, gently saturated for punch, with a short click of
// band-passed noise where the beater meets the head.
#include <cmath>
#include <cstdint>

#include "stepweave/data/synth/noise_burst.h"
#include "stepweave/data/synth/percussion_families.h"

namespace stepweave {

namespace {

struct KickShape {
    double seconds;
    double startHz;
    double endHz;
    double sweepSeconds;
    double decaySeconds;
    double drive;
    double clickLevel;
    uint64_t seed;
};

void AddSweptBody(OversampledSound& sound, const KickShape& shape) {
    double phase = 0.0;
    const double normaliser = std::tanh(shape.drive);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = SynthTime(static_cast<int>(i));
        const double body = std::exp(-t / shape.decaySeconds) * std::sin(phase);
        sound.samples[i] += std::tanh(shape.drive * body) / normaliser;
        const double frequency = shape.endHz + (shape.startHz - shape.endHz) * std::exp(-t / shape.sweepSeconds);
        phase += kTwoPi * frequency / kSynthRate;
    }
}

OversampledSound MakeKick(const KickShape& shape) {
    OversampledSound sound = SilentSound(shape.seconds);
    AddSweptBody(sound, shape);
    AddNoiseBurst(sound, {.seed = shape.seed,
                          .amplitude = shape.clickLevel,
                          .attackSeconds = 0.0002,
                          .decaySeconds = 0.0015,
                          .lowCutHz = 1500.0,
                          .highCutHz = 6000.0});
    sound.attackSeconds = 0.0005;
    sound.releaseSeconds = shape.seconds * 0.2;
    return sound;
}

}  // namespace

OversampledSound SynthesizeKick() {
    return MakeKick({.seconds = 0.6,
                     .startHz = 210.0,
                     .endHz = 47.0,
                     .sweepSeconds = 0.03,
                     .decaySeconds = 0.2,
                     .drive = 1.8,
                     .clickLevel = 0.35,
                     .seed = 101});
}

OversampledSound SynthesizeShortKick() {
    return MakeKick({.seconds = 0.3,
                     .startHz = 260.0,
                     .endHz = 58.0,
                     .sweepSeconds = 0.018,
                     .decaySeconds = 0.065,
                     .drive = 2.2,
                     .clickLevel = 0.5,
                     .seed = 102});
}

}  // namespace stepweave
