#include "stepweave/data/synth/half_rate_decimator.h"

#include <array>
#include <cmath>

#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

namespace {

constexpr int kHalfLength = 63;
constexpr int kTapCount = 2 * kHalfLength + 1;
constexpr double kCutoffHz = 21000.0;

// Blackman-windowed sinc, scaled to unity gain at 0 Hz.
std::array<double, kTapCount> LowPassTaps() {
    std::array<double, kTapCount> taps{};
    const double cutoff = kCutoffHz / kSynthRate;
    double sum = 0.0;
    for (int k = 0; k < kTapCount; ++k) {
        const int m = k - kHalfLength;
        const double sinc = m == 0 ? 2.0 * cutoff : std::sin(kTwoPi * cutoff * m) / (3.14159265358979323846 * m);
        const double w = 0.42 - 0.5 * std::cos(kTwoPi * k / (kTapCount - 1)) +
                         0.08 * std::cos(2.0 * kTwoPi * k / (kTapCount - 1));
        taps[static_cast<size_t>(k)] = sinc * w;
        sum += taps[static_cast<size_t>(k)];
    }
    for (double& tap : taps) {
        tap /= sum;
    }
    return taps;
}

}  // namespace

std::vector<double> DecimateByTwo(const std::vector<double>& samples) {
    static const std::array<double, kTapCount> taps = LowPassTaps();
    const int inputCount = static_cast<int>(samples.size());
    std::vector<double> output(samples.size() / 2);
    for (size_t n = 0; n < output.size(); ++n) {
        const int centre = static_cast<int>(2 * n);
        double sum = 0.0;
        for (int k = 0; k < kTapCount; ++k) {
            const int source = centre + k - kHalfLength;
            if (source >= 0 && source < inputCount) {
                sum += taps[static_cast<size_t>(k)] * samples[static_cast<size_t>(source)];
            }
        }
        output[n] = sum;
    }
    return output;
}

}  // namespace stepweave
