#pragma once
// A room: the dry sound plus its convolution with exponentially decaying
// noise of the given reverberation time (60 dB of decay), as loud as `wet`
// times the dry sound. A small room's response may be sparse (every
// `tapSpacing`-th tap), which sounds grainier. The tail is kept for half the
// response's length after the sound. The convolution runs block by block
// through the FFT.
#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "bench/voxnote/analysis/precise/set_random.h"
#include "voxnote/analysis/precise/pitch/real_fft.h"

namespace voxnote::evaluation {

inline void AddReverb(std::vector<double>& signal, SetRandom& random, double reverbSeconds, double wet,
                      size_t tapSpacing = 4) {
    const size_t length = static_cast<size_t>(reverbSeconds * kRate);
    std::vector<double> response(length);
    double energy = 0;
    for (size_t i = 0; i < length; ++i) {
        response[i] = random.Gaussian() * std::pow(10.0, -3.0 * (i / kRate) / reverbSeconds);
        energy += response[i] * response[i];
    }
    // The sparse taps carry the whole response's energy.
    const double scale = wet / std::sqrt(energy) * std::sqrt(static_cast<double>(tapSpacing));
    for (size_t i = 0; i < length; ++i) response[i] = i % tapSpacing == 0 ? response[i] * scale : 0.0;

    size_t fftSize = 1;
    while (fftSize < 2 * length) fftSize *= 2;
    const size_t block = fftSize - length + 1;
    precise::RealFft fft(static_cast<int>(fftSize));
    std::fill(fft.Samples(), fft.Samples() + fftSize, 0.0f);
    std::copy(response.begin(), response.end(), fft.Samples());
    fft.Forward();
    const std::vector<std::complex<float>> responseSpectrum(fft.Spectrum(), fft.Spectrum() + fft.Bins());

    std::vector<double> wetSignal(signal.size() + fftSize, 0.0);
    for (size_t from = 0; from < signal.size(); from += block) {
        const size_t count = std::min(block, signal.size() - from);
        std::fill(fft.Samples(), fft.Samples() + fftSize, 0.0f);
        for (size_t i = 0; i < count; ++i) fft.Samples()[i] = static_cast<float>(signal[from + i]);
        fft.Forward();
        for (int k = 0; k < fft.Bins(); ++k) fft.Spectrum()[k] *= responseSpectrum[static_cast<size_t>(k)];
        fft.Inverse();
        for (size_t i = 0; i < fftSize; ++i) wetSignal[from + i] += fft.Samples()[i] / static_cast<double>(fftSize);
    }
    signal.resize(signal.size() + length / 2, 0.0);
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += wetSignal[i];
}

}  // namespace voxnote::evaluation
