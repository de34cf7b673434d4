#include "stepweave/data/synth/oscillators.h"

#include <cmath>

namespace stepweave {

namespace {

// Correction around a unit step at phase 0 for a phase increment dt.
double StepResidual(double phase, double dt) {
    if (phase < dt) {
        const double x = phase / dt;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - dt) {
        const double x = (phase - 1.0) / dt;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

}  // namespace

void AddPartial(OversampledSound& sound, const DecayingPartial& partial) {
    const int first = SynthSamples(partial.startSeconds);
    const int count = static_cast<int>(sound.samples.size());
    double phase = 0.0;
    for (int i = first; i < count; ++i) {
        const double t = SynthTime(i - first);
        const double envelope = partial.amplitude * std::exp(-t / partial.decaySeconds);
        if (envelope < 1e-7 * partial.amplitude) {
            break;
        }
        sound.samples[static_cast<size_t>(i)] += envelope * std::sin(phase);
        const double glide = 1.0 + partial.glideDepth * std::exp(-t / partial.glideSeconds);
        phase += kTwoPi * partial.frequencyHz * glide / kSynthRate;
        if (phase > kTwoPi) {
            phase -= kTwoPi;
        }
    }
}

BandLimitedSquare::BandLimitedSquare(double frequencyHz, double startPhase)
    : increment_(frequencyHz / kSynthRate), phase_(startPhase - std::floor(startPhase)) {}

double BandLimitedSquare::Next() {
    double value = phase_ < 0.5 ? 1.0 : -1.0;
    value += StepResidual(phase_, increment_);
    double falling = phase_ + 0.5;
    falling -= std::floor(falling);
    value -= StepResidual(falling, increment_);
    phase_ += increment_;
    phase_ -= std::floor(phase_);
    return value;
}

}  // namespace stepweave
