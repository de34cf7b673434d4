#pragma once
// Onset strength of each frame: the spectral flux, the sum over frequency of
// the rise of the log-compressed magnitude spectrum since the frame before
// (falls count 0). A new sound raises many bins at once; a held note, even
// with vibrato, raises few.
#include <vector>

#include "voxnote/analysis/precise/pitch/real_fft.h"

namespace voxnote::precise {

class SpectralFlux {
public:
    // Frames of `size` samples under a Hann window.
    explicit SpectralFlux(int size);

    // Forgets the frame before: the next frame's flux is measured from silence.
    void Reset();
    // The flux of this frame (size samples, in full-scale units of -1..1).
    float Next(const float* frame);

private:
    RealFft fft_;
    std::vector<float> window_;
    std::vector<float> previous_;  // log magnitudes of the frame before
};

}  // namespace voxnote::precise
