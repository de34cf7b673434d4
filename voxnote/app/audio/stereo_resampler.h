#pragma once
// Changes the rate of interleaved stereo float sound as a stream: pieces go
// in as they are read, the converted frames come out, and Finish hands out
// what the filter still holds at the end. Equal rates pass straight through.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace voxnote {

class StereoResampler {
public:
    // Nothing when the resampler cannot be made for these rates. Its buffers
    // are sized for input pieces of up to largestInputFrames frames.
    static std::unique_ptr<StereoResampler> Create(uint32_t inputRate, uint32_t outputRate, size_t largestInputFrames);
    ~StereoResampler();
    StereoResampler(const StereoResampler&) = delete;
    StereoResampler& operator=(const StereoResampler&) = delete;

    // Appends the frames that `input` (whole frames, at most the largest
    // piece) gives to `output`.
    void Process(std::span<const float> input, std::vector<float>& output);
    // Appends the rest; the stream then ends.
    void Finish(std::vector<float>& output);

private:
    struct Filter;
    StereoResampler(std::unique_ptr<Filter> filter, size_t outputFrames);

    std::unique_ptr<Filter> filter_;  // none when the rates are equal
    std::vector<float> converted_;
};

}  // namespace voxnote
