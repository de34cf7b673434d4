#pragma once
// A drum sound while it is being synthesised: floating-point samples at twice
// the output rate, so that metallic and noisy sounds can be built with
// partials up to the output's Nyquist frequency and filtered down cleanly.
// The fade lengths tell the finishing stage how softly the sound may start
// and how long its final fade to silence is.
#include <cmath>
#include <vector>

namespace stepweave {

inline constexpr int kDrumOutputRate = 44100;
inline constexpr double kSynthRate = 2.0 * kDrumOutputRate;
inline constexpr double kTwoPi = 6.283185307179586476925;

struct OversampledSound {
    std::vector<double> samples;
    double attackSeconds = 0.001;
    double releaseSeconds = 0.02;
};

inline int SynthSamples(double seconds) {
    return static_cast<int>(std::lround(seconds * kSynthRate));
}

inline double SynthTime(int index) {
    return index / kSynthRate;
}

inline OversampledSound SilentSound(double seconds) {
    OversampledSound sound;
    sound.samples.assign(static_cast<size_t>(SynthSamples(seconds)), 0.0);
    return sound;
}

}  // namespace stepweave
