#include "voxnote/analysis/precise/onsets/spectral_flux.h"

#include <algorithm>
#include <cmath>

namespace voxnote::precise {

namespace {

// log(1 + kCompression * |X|): loud and soft sounds rise by comparable amounts.
constexpr float kCompression = 100.0f;
constexpr double kTwoPi = 6.28318530717958647692;
// A partial may glide by this share of its frequency from one frame to the
// next (a wide vibrato at its fastest) and still count as the same partial.
constexpr float kGlideShare = 0.03f;
// Below this share of the loudest bin (50 dB down) a bin's rise is the
// window's leakage moving with a partial, no attack.
constexpr float kAttackFloor = 0.003f;
// The band of the flatness, as shares of the sample rate (100 Hz to 4 kHz at 11025 Hz).
constexpr float kFlatnessFrom = 100.0f / 11025.0f;
constexpr float kFlatnessTo = 4000.0f / 11025.0f;
constexpr float kQuietest = 1e-12f;

}  // namespace

SpectralFlux::SpectralFlux(int size)
    : fft_(size),
      window_(static_cast<size_t>(size)),
      magnitude_(static_cast<size_t>(size / 2 + 1), 0.0f),
      compressed_(static_cast<size_t>(size / 2 + 1), 0.0f),
      previous_(static_cast<size_t>(size / 2 + 1), 0.0f) {
    for (int i = 0; i < size; ++i) {
        window_[static_cast<size_t>(i)] = static_cast<float>(0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / size));
    }
}

void SpectralFlux::Reset() {
    std::fill(previous_.begin(), previous_.end(), 0.0f);
    loudestBefore_ = 0.0f;
}

float SpectralFlux::Flatness() const {
    const size_t first = static_cast<size_t>(kFlatnessFrom * static_cast<float>(fft_.Size()));
    const size_t last = std::min(magnitude_.size(), static_cast<size_t>(kFlatnessTo * static_cast<float>(fft_.Size())));
    float logSum = 0.0f, sum = 0.0f;
    for (size_t k = first; k < last; ++k) {
        const float power = magnitude_[k] * magnitude_[k] + kQuietest;
        logSum += std::log(power);
        sum += power;
    }
    const float count = static_cast<float>(last - first);
    return count > 0 ? std::exp(logSum / count) / (sum / count) : 0.0f;
}

SpectralFlux::Rise SpectralFlux::Next(const float* frame) {
    float* samples = fft_.Samples();
    for (int i = 0; i < fft_.Size(); ++i) samples[i] = frame[i] * window_[static_cast<size_t>(i)];
    fft_.Forward();
    const std::complex<float>* spectrum = fft_.Spectrum();
    const size_t bins = static_cast<size_t>(fft_.Bins());
    float loudest = 0.0f;
    for (size_t k = 0; k < bins; ++k) {
        const float re = spectrum[k].real(), im = spectrum[k].imag();
        magnitude_[k] = std::sqrt(re * re + im * im);
        loudest = std::max(loudest, magnitude_[k]);
        compressed_[k] = std::log1p(kCompression * magnitude_[k]);
    }
    // One floor for both frames, so that a loudest bin that moves moves no
    // other; compressed as the magnitudes are (the compression keeps order).
    const float floor = std::log1p(kCompression * kAttackFloor * std::max(loudest, loudestBefore_));

    Rise result;
    // The DC bin carries no onset; skip it.
    for (size_t k = 1; k < bins; ++k) {
        const float rise = compressed_[k] - previous_[k];
        if (rise > 0.0f) result.flux += rise;

        const size_t reach = std::max<size_t>(1, static_cast<size_t>(kGlideShare * static_cast<float>(k) + 0.5f));
        float loudestNear = floor;
        for (size_t j = std::max<size_t>(1, k - std::min(k, reach)); j <= std::min(bins - 1, k + reach); ++j) {
            loudestNear = std::max(loudestNear, previous_[j]);
        }
        const float attack = std::max(floor, compressed_[k]) - loudestNear;
        if (attack > 0.0f) result.attackFlux += attack;
    }
    result.flatness = Flatness();
    previous_.swap(compressed_);
    loudestBefore_ = loudest;
    return result;
}

}  // namespace voxnote::precise
