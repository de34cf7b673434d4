#pragma once
// Rate conversion of a stream of samples by a rational factor (for example
// 48000 Hz to 11025 Hz is 147/640) with a windowed-sinc low-pass filter, so
// that nothing above the lower rate's Nyquist frequency folds back into the
// sound. Create allocates the filter; Process allocates nothing and may run on
// an audio device's thread.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace voxnote {

// A sample of full scale +-1.0 as signed 16 bits, rounded and clipped.
int16_t FloatToSample16(float sample);

class PolyphaseResampler {
public:
    // Nothing when either rate is 0 or the reduced ratio needs more than
    // kMaxPhases filter phases (rates with no common factor to speak of).
    static std::unique_ptr<PolyphaseResampler> Create(uint32_t inputRate, uint32_t outputRate);
    static constexpr uint32_t kMaxPhases = 1024;

    // The most samples that Process can produce from count input samples.
    size_t MaxOutput(size_t count) const { return count * upFactor_ / downFactor_ + 2; }

    // Converts count samples (full scale is +-1.0) into signed 16-bit samples,
    // rounded and clipped, written at output (room for MaxOutput(count)).
    // Returns the number written. The filter delays the sound by about half
    // its length (some 2.5 ms).
    size_t Process(const float* input, size_t count, int16_t* output);

    // Forgets the sound heard so far, as for a new stream.
    void Reset();

    uint32_t UpFactor() const { return upFactor_; }
    uint32_t DownFactor() const { return downFactor_; }
    size_t TapsPerPhase() const { return taps_; }

private:
    PolyphaseResampler(uint32_t upFactor, uint32_t downFactor, size_t taps, std::vector<float> phases);
    int16_t FilteredSample(uint32_t phase, size_t newest) const;

    uint32_t upFactor_;
    uint32_t downFactor_;
    size_t taps_;
    std::vector<float> phases_;   // upFactor_ rows of taps_ coefficients, oldest sample's first
    std::vector<float> history_;  // the last taps_ samples, stored twice so a window is contiguous
    size_t write_ = 0;
    uint32_t phase_ = 0;          // position of the next output between input samples
    uint32_t inputsToSkip_ = 0;   // input samples to take before the next output
};

}  // namespace voxnote
