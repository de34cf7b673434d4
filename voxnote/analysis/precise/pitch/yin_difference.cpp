#include "voxnote/analysis/precise/pitch/yin_difference.h"

#include <algorithm>
#include <cstring>

namespace voxnote::precise {

namespace {

constexpr int kLagsWritten = kLargestLag + 2;  // room for the interpolation's right neighbour
static_assert(kYinWindow + kLagsWritten - 1 <= kFftSize, "the lags must not wrap around the FFT");

}  // namespace

YinDifference::YinDifference()
    : fft_(kFftSize), windowSpectrum_(static_cast<size_t>(kFftSize / 2 + 1)), squareSums_(kFftSize + 1) {}

void YinDifference::Compute(const float* frame, float* difference, float* normalised) {
    // Spectrum of the first W samples alone.
    float* samples = fft_.Samples();
    std::memcpy(samples, frame, sizeof(float) * kYinWindow);
    std::fill(samples + kYinWindow, samples + kFftSize, 0.0f);
    fft_.Forward();
    std::copy(fft_.Spectrum(), fft_.Spectrum() + fft_.Bins(), windowSpectrum_.begin());

    // Spectrum of the whole frame, times the conjugate window spectrum, back:
    // the cross-correlation r(t), scaled by the FFT size.
    std::memcpy(samples, frame, sizeof(float) * kFftSize);
    fft_.Forward();
    std::complex<float>* spectrum = fft_.Spectrum();
    for (int k = 0; k < fft_.Bins(); ++k) spectrum[k] *= std::conj(windowSpectrum_[static_cast<size_t>(k)]);
    fft_.Inverse();
    const float* correlation = fft_.Samples();

    squareSums_[0] = 0.0;
    for (int i = 0; i < kFftSize; ++i) {
        squareSums_[static_cast<size_t>(i) + 1] = squareSums_[static_cast<size_t>(i)] + double{frame[i]} * frame[i];
    }
    const double windowEnergy = squareSums_[kYinWindow];
    const double scale = 1.0 / kFftSize;  // FFTW's inverse is unnormalised

    difference[0] = 0.0f;
    normalised[0] = 1.0f;
    double runningSum = 0.0;
    for (int lag = 1; lag < kLagsWritten; ++lag) {
        const double shiftedEnergy = squareSums_[static_cast<size_t>(lag + kYinWindow)] - squareSums_[static_cast<size_t>(lag)];
        const double squared = std::max(0.0, windowEnergy + shiftedEnergy - 2.0 * scale * correlation[lag]);
        runningSum += squared;
        difference[lag] = static_cast<float>(squared);
        normalised[lag] = runningSum > 0.0 ? static_cast<float>(squared * lag / runningSum) : 1.0f;
    }
}

}  // namespace voxnote::precise
