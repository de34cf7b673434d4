#include "voxnote/app/wavfile/analysis_format_converter.h"

#include <algorithm>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/wavfile/wav_format_checks.h"

namespace voxnote {

std::unique_ptr<AnalysisFormatConverter> AnalysisFormatConverter::Create(int channels, uint32_t sampleRate,
                                                                         size_t largestInputFrames) {
    if (channels != 1 && channels != 2) {
        return nullptr;
    }
    std::unique_ptr<SoxrResampler<int16_t>> resampler =
        SoxrResampler<int16_t>::Create(sampleRate, kAnalysisSampleRate, 1, largestInputFrames);
    if (!resampler) {
        return nullptr;
    }
    return std::unique_ptr<AnalysisFormatConverter>(
        new AnalysisFormatConverter(channels, std::move(resampler), largestInputFrames));
}

AnalysisFormatConverter::AnalysisFormatConverter(int channels, std::unique_ptr<SoxrResampler<int16_t>> resampler,
                                                 size_t largestInputFrames)
    : channels_(channels), resampler_(std::move(resampler)), mono_(largestInputFrames) {}

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
    resampler_->Process(std::span<const int16_t>(mono_.data(), frames), output);
}

void AnalysisFormatConverter::Finish(std::vector<int16_t>& output) { resampler_->Finish(output); }

}  // namespace voxnote
