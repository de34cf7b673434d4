#pragma once
// Onset strength of each frame: the spectral flux, the sum over frequency of
// the rise of the log-compressed magnitude spectrum since the frame before
// (falls count 0). A new sound raises many bins at once; a held note, even
// with vibrato, raises few.
//
// The attack flux counts a bin's rise only above the loudest bin of the
// frame before within 3 % of its frequency (at least one bin either side): a
// partial that glides (a vibrato, a slide) raises none, while a new attack
// on a held pitch still raises its bins and the noise between them. Bins
// more than 50 dB below the loudest of the two frames count at that floor:
// there the window's leakage follows a moving partial in deep swings.
#include <vector>

#include "voxnote/analysis/precise/pitch/real_fft.h"

namespace voxnote::precise {

class SpectralFlux {
public:
    // Frames of `size` samples under a Hann window.
    explicit SpectralFlux(int size);

    // Forgets the frame before: the next frame's flux is measured from silence.
    void Reset();
    struct Rise {
        float flux = 0;
        float attackFlux = 0;
        // The spectral flatness from 100 Hz to 4 kHz: the geometric over the
        // arithmetic mean of the power; near 0.56 for white noise, near 0
        // where partials stand out.
        float flatness = 0;
    };

    // The fluxes of this frame (size samples, in full-scale units of -1..1).
    Rise Next(const float* frame);

private:
    float Flatness() const;

    RealFft fft_;
    std::vector<float> window_;
    std::vector<float> magnitude_;   // this frame's spectrum
    std::vector<float> compressed_;  // its log magnitudes
    std::vector<float> previous_;    // the log magnitudes of the frame before
    float loudestBefore_ = 0.0f;     // its loudest magnitude
};

}  // namespace voxnote::precise
