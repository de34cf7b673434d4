#pragma once
// The one wrapper of libsoxr: band-limited rate conversion of interleaved
// sound (16-bit or float samples) as a stream. Pieces go in as they are
// read, the converted frames come out, and Finish hands out what the filter
// still holds at the end. The output keeps the input's place in time (the
// filter's delay is taken off), and equal rates pass straight through.
//
// libsoxr grows its internal queues with realloc while a stream runs, so
// this is for the main thread only; an audio device's thread uses
// PolyphaseResampler, which allocates nothing after it is made.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct soxr;

namespace voxnote {

template <typename Sample>  // int16_t or float
class SoxrResampler {
public:
    // Nothing for a zero rate or channel count, or when libsoxr refuses the
    // rates. The buffers are sized for input pieces of up to
    // largestInputFrames frames.
    static std::unique_ptr<SoxrResampler> Create(uint32_t inputRate, uint32_t outputRate, unsigned channels,
                                                 size_t largestInputFrames);
    ~SoxrResampler();
    SoxrResampler(const SoxrResampler&) = delete;
    SoxrResampler& operator=(const SoxrResampler&) = delete;

    // Appends the frames that `input` (whole frames, at most the largest
    // piece) gives to `output`.
    void Process(std::span<const Sample> input, std::vector<Sample>& output);
    // Appends the rest; the stream then ends.
    void Finish(std::vector<Sample>& output);

private:
    SoxrResampler(soxr* stream, unsigned channels, size_t outputFrames);
    void AppendConverted(size_t frames, std::vector<Sample>& output) const;

    soxr* stream_;  // none when the rates are equal
    unsigned channels_;
    std::vector<Sample> converted_;
};

}  // namespace voxnote
