#pragma once
// Second-order filter sections after the well-known audio-EQ formulas: the
// shaping filters of the drum synthesiser (low-, high- and band-pass).
#include <vector>

namespace stepweave {

class BiquadFilter {
public:
    static BiquadFilter LowPass(double cutoffHz, double q, double sampleRate);
    static BiquadFilter HighPass(double cutoffHz, double q, double sampleRate);
    // Band-pass with 0 dB gain at the centre frequency.
    static BiquadFilter BandPass(double centreHz, double q, double sampleRate);

    double Process(double input);
    // Filters the samples in place.
    void ProcessAll(std::vector<double>& samples);

private:
    BiquadFilter(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_, b1_, b2_, a1_, a2_;
    double z1_ = 0.0;
    double z2_ = 0.0;
};

}  // namespace stepweave
