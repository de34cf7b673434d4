#include "voxnote/analysis/precise/onsets/spectral_flux.h"

#include <algorithm>
#include <cmath>

namespace voxnote::precise {

namespace {

// log(1 + kCompression * |X|): loud and soft sounds rise by comparable amounts.
constexpr float kCompression = 100.0f;
constexpr double kTwoPi = 6.28318530717958647692;

}  // namespace

SpectralFlux::SpectralFlux(int size)
    : fft_(size), window_(static_cast<size_t>(size)), previous_(static_cast<size_t>(size / 2 + 1), 0.0f) {
    for (int i = 0; i < size; ++i) {
        window_[static_cast<size_t>(i)] = static_cast<float>(0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / size));
    }
}

void SpectralFlux::Reset() { std::fill(previous_.begin(), previous_.end(), 0.0f); }

float SpectralFlux::Next(const float* frame) {
    float* samples = fft_.Samples();
    for (int i = 0; i < fft_.Size(); ++i) samples[i] = frame[i] * window_[static_cast<size_t>(i)];
    fft_.Forward();
    const std::complex<float>* spectrum = fft_.Spectrum();
    float flux = 0.0f;
    // The DC bin carries no onset; skip it.
    for (int k = 1; k < fft_.Bins(); ++k) {
        const float re = spectrum[k].real(), im = spectrum[k].imag();
        const float magnitude = std::log1p(kCompression * std::sqrt(re * re + im * im));
        const float rise = magnitude - previous_[static_cast<size_t>(k)];
        if (rise > 0.0f) flux += rise;
        previous_[static_cast<size_t>(k)] = magnitude;
    }
    return flux;
}

}  // namespace voxnote::precise
