#include "voxnote/app/wavfile/analysis_format_converter.h"

#include <soxr.h>

#include <algorithm>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/wavfile/wav_format_checks.h"

namespace voxnote {

struct AnalysisFormatConverter::Resampler {
    soxr_t soxr = nullptr;
    ~Resampler() { soxr_delete(soxr); }
};

std::unique_ptr<AnalysisFormatConverter> AnalysisFormatConverter::Create(int channels, uint32_t sampleRate,
                                                                         size_t largestInputFrames) {
    if (channels != 1 && channels != 2) {
        return nullptr;
    }
    std::unique_ptr<Resampler> resampler;
    if (sampleRate != kAnalysisSampleRate) {
        soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
        io.flags |= SOXR_NO_DITHER;  // the same file always gives the same notes
        soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        resampler = std::make_unique<Resampler>();
        resampler->soxr = soxr_create(sampleRate, kAnalysisSampleRate, 1, &error, &io, &quality, nullptr);
        if (error || !resampler->soxr) {
            return nullptr;
        }
    }
    return std::unique_ptr<AnalysisFormatConverter>(
        new AnalysisFormatConverter(channels, std::move(resampler), largestInputFrames));
}

AnalysisFormatConverter::AnalysisFormatConverter(int channels, std::unique_ptr<Resampler> resampler,
                                                 size_t largestInputFrames)
    : channels_(channels), resampler_(std::move(resampler)), mono_(largestInputFrames),
      resampled_(largestInputFrames + 64) {}

AnalysisFormatConverter::~AnalysisFormatConverter() = default;

void AnalysisFormatConverter::Convert(std::span<const uint8_t> pcm, std::vector<int16_t>& output) {
    const size_t frameBytes = 2 * static_cast<size_t>(channels_);
    const size_t frames = std::min(pcm.size() / frameBytes, mono_.size());
    for (size_t i = 0; i < frames; ++i) {
        const uint8_t* frame = pcm.data() + i * frameBytes;
        int32_t left = static_cast<int16_t>(ReadLittleEndian16(frame));
        if (channels_ == 2) {
            int32_t right = static_cast<int16_t>(ReadLittleEndian16(frame + 2));
            mono_[i] = static_cast<int16_t>((left + right) >> 1);
        } else {
            mono_[i] = static_cast<int16_t>(left);
        }
    }
    if (!resampler_) {
        output.insert(output.end(), mono_.begin(), mono_.begin() + static_cast<std::ptrdiff_t>(frames));
        return;
    }
    Resample(mono_.data(), frames, output);
}

void AnalysisFormatConverter::Resample(const int16_t* samples, size_t count, std::vector<int16_t>& output) {
    size_t used = 0;
    while (used < count) {
        size_t consumed = 0;
        size_t produced = 0;
        soxr_process(resampler_->soxr, samples + used, count - used, &consumed, resampled_.data(),
                     resampled_.size(), &produced);
        output.insert(output.end(), resampled_.begin(), resampled_.begin() + static_cast<std::ptrdiff_t>(produced));
        if (consumed == 0 && produced == 0) {
            break;
        }
        used += consumed;
    }
}

void AnalysisFormatConverter::Finish(std::vector<int16_t>& output) {
    if (!resampler_) {
        return;
    }
    size_t produced = 0;
    do {
        produced = 0;
        soxr_process(resampler_->soxr, nullptr, 0, nullptr, resampled_.data(), resampled_.size(), &produced);
        output.insert(output.end(), resampled_.begin(), resampled_.begin() + static_cast<std::ptrdiff_t>(produced));
    } while (produced > 0);
}

}  // namespace voxnote
