#include "voxnote/analysis/precise/pitch/real_fft.h"

#include <fftw3.h>

#include <mutex>
#include <new>

namespace voxnote::precise {

namespace {

std::mutex& PlannerMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

RealFft::RealFft(int size) : size_(size) {
    std::lock_guard<std::mutex> lock(PlannerMutex());
    samples_ = static_cast<float*>(fftwf_malloc(sizeof(float) * static_cast<size_t>(size)));
    spectrum_ = reinterpret_cast<std::complex<float>*>(
        fftwf_malloc(sizeof(fftwf_complex) * static_cast<size_t>(size / 2 + 1)));
    if (samples_ == nullptr || spectrum_ == nullptr) {
        fftwf_free(samples_);
        fftwf_free(spectrum_);
        throw std::bad_alloc();
    }
    // FFTW_ESTIMATE plans without trial runs: quick to make, and the same
    // arithmetic on every run, so results repeat exactly.
    auto* spectrum = reinterpret_cast<fftwf_complex*>(spectrum_);
    forward_ = fftwf_plan_dft_r2c_1d(size, samples_, spectrum, FFTW_ESTIMATE);
    inverse_ = fftwf_plan_dft_c2r_1d(size, spectrum, samples_, FFTW_ESTIMATE);
    if (forward_ == nullptr || inverse_ == nullptr) {
        if (forward_) fftwf_destroy_plan(static_cast<fftwf_plan>(forward_));
        if (inverse_) fftwf_destroy_plan(static_cast<fftwf_plan>(inverse_));
        fftwf_free(samples_);
        fftwf_free(spectrum_);
        throw std::bad_alloc();
    }
}

RealFft::~RealFft() {
    std::lock_guard<std::mutex> lock(PlannerMutex());
    fftwf_destroy_plan(static_cast<fftwf_plan>(forward_));
    fftwf_destroy_plan(static_cast<fftwf_plan>(inverse_));
    fftwf_free(samples_);
    fftwf_free(spectrum_);
}

void RealFft::Forward() { fftwf_execute(static_cast<fftwf_plan>(forward_)); }

void RealFft::Inverse() { fftwf_execute(static_cast<fftwf_plan>(inverse_)); }

}  // namespace voxnote::precise
