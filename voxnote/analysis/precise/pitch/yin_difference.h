#pragma once
// YIN's cumulative mean normalised difference of one frame, the squared
// difference computed through the FFT:
//   d(t) = sum_j (x[j] - x[j+t])^2 = e(0) + e(t) - 2 r(t),  j = 0..W-1,
// where e(t) is the energy of x[t..t+W-1] and r(t) the cross-correlation of
// the first W samples with the frame, both from one FFT product.
//   d'(0) = 1,  d'(t) = d(t) * t / sum_{k=1..t} d(k).
// A periodic frame dips towards 0 at its period and at its multiples.
#include <complex>
#include <vector>

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/pitch/real_fft.h"

namespace voxnote::precise {

class YinDifference {
public:
    YinDifference();

    // frame: kFftSize samples (the window, then the lags' reach); writes
    // d(0..kLargestLag+1) to difference and d'(0..kLargestLag+1) to normalised.
    void Compute(const float* frame, float* difference, float* normalised);

private:
    RealFft fft_;
    std::vector<std::complex<float>> windowSpectrum_;
    std::vector<double> squareSums_;  // prefix sums of x^2
};

}  // namespace voxnote::precise
