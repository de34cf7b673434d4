#pragma once
// A real-input FFT of one fixed size over FFTW, with its buffers. Plans and
// buffers are made in the constructor (FFTW's planner is not thread-safe, so
// making and destroying plans is serialised); Forward and Inverse allocate
// nothing and may run on any thread.
#include <complex>

namespace voxnote::precise {

class RealFft {
public:
    explicit RealFft(int size);
    ~RealFft();
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    int Size() const { return size_; }
    int Bins() const { return size_ / 2 + 1; }

    // The time-domain buffer (Size() values) and the spectrum (Bins() values).
    float* Samples() { return samples_; }
    std::complex<float>* Spectrum() { return spectrum_; }

    // Samples to spectrum.
    void Forward();
    // Spectrum to samples, scaled by Size() (FFTW leaves out the 1/N); the
    // spectrum is overwritten.
    void Inverse();

private:
    int size_;
    float* samples_;
    std::complex<float>* spectrum_;
    void* forward_;
    void* inverse_;
};

}  // namespace voxnote::precise
