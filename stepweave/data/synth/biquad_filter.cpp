#include "stepweave/data/synth/biquad_filter.h"

#include <cmath>

#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

namespace {

struct Prewarped {
    double cosine;
    double alpha;
};

Prewarped Prewarp(double frequencyHz, double q, double sampleRate) {
    const double omega = kTwoPi * frequencyHz / sampleRate;
    return {std::cos(omega), std::sin(omega) / (2.0 * q)};
}

}  // namespace

BiquadFilter::BiquadFilter(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

BiquadFilter BiquadFilter::LowPass(double cutoffHz, double q, double sampleRate) {
    const auto [c, alpha] = Prewarp(cutoffHz, q, sampleRate);
    return {(1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha};
}

BiquadFilter BiquadFilter::HighPass(double cutoffHz, double q, double sampleRate) {
    const auto [c, alpha] = Prewarp(cutoffHz, q, sampleRate);
    return {(1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha};
}

BiquadFilter BiquadFilter::BandPass(double centreHz, double q, double sampleRate) {
    const auto [c, alpha] = Prewarp(centreHz, q, sampleRate);
    return {alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * c, 1.0 - alpha};
}

double BiquadFilter::Process(double input) {
    // Transposed direct form II: well-behaved in double precision.
    const double output = b0_ * input + z1_;
    z1_ = b1_ * input - a1_ * output + z2_;
    z2_ = b2_ * input - a2_ * output;
    return output;
}

void BiquadFilter::ProcessAll(std::vector<double>& samples) {
    for (double& sample : samples) {
        sample = Process(sample);
    }
}

}  // namespace stepweave
