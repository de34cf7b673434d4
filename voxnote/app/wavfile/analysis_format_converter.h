#pragma once
// Turns 16-bit PCM sound of one or two channels at 11025, 22050 or 44100 Hz
// into the analysis format: 11025 Hz, mono, 16 bit. Stereo is averaged to
// mono; other rates are resampled (band-limited, so nothing above the new
// Nyquist frequency folds back, through SoxrResampler). 11025 Hz mono passes
// through sample for sample. The resampler runs as a stream: its output is
// not delayed relative to its input, and Finish hands out what it still holds
// at the end.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "voxnote/analysis/resampling/soxr_resampler.h"

namespace voxnote {

class AnalysisFormatConverter {
public:
    // Nothing for channel counts other than 1 or 2 or a failing resampler.
    // Everything the conversion needs is allocated here, for input pieces of
    // up to largestInputFrames frames.
    static std::unique_ptr<AnalysisFormatConverter> Create(int channels, uint32_t sampleRate,
                                                           size_t largestInputFrames);
    AnalysisFormatConverter(const AnalysisFormatConverter&) = delete;
    AnalysisFormatConverter& operator=(const AnalysisFormatConverter&) = delete;

    // Converts the whole frames of little-endian PCM (at most
    // largestInputFrames) and appends the samples to output.
    void Convert(std::span<const uint8_t> pcm, std::vector<int16_t>& output);
    // Appends the samples the resampler still holds; the stream then ends.
    void Finish(std::vector<int16_t>& output);

private:
    AnalysisFormatConverter(int channels, std::unique_ptr<SoxrResampler<int16_t>> resampler,
                            size_t largestInputFrames);

    int channels_;
    std::unique_ptr<SoxrResampler<int16_t>> resampler_;
    std::vector<int16_t> mono_;
};

}  // namespace voxnote
