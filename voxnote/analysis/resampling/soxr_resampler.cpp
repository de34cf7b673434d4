#include "voxnote/analysis/resampling/soxr_resampler.h"

#include <soxr.h>

#include <type_traits>

namespace voxnote {

namespace {

template <typename Sample>
constexpr soxr_datatype_t kSoxrType = std::is_same_v<Sample, float> ? SOXR_FLOAT32_I : SOXR_INT16_I;

// Room beyond a piece at the new rate for what the filter lets out at once.
constexpr size_t kSpareOutputFrames = 256;

}  // namespace

template <typename Sample>
std::unique_ptr<SoxrResampler<Sample>> SoxrResampler<Sample>::Create(uint32_t inputRate, uint32_t outputRate,
                                                                     unsigned channels, size_t largestInputFrames) {
    if (inputRate == 0 || outputRate == 0 || channels == 0) {
        return nullptr;
    }
    soxr_t stream = nullptr;
    if (inputRate != outputRate) {
        soxr_io_spec_t io = soxr_io_spec(kSoxrType<Sample>, kSoxrType<Sample>);
        io.flags |= SOXR_NO_DITHER;  // the same file always gives the same samples
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        stream = soxr_create(inputRate, outputRate, channels, &error, &io, &quality, nullptr);
        if (error != nullptr || stream == nullptr) {
            soxr_delete(stream);
            return nullptr;
        }
    }
    const size_t outputFrames = largestInputFrames * outputRate / inputRate + kSpareOutputFrames;
    return std::unique_ptr<SoxrResampler>(new SoxrResampler(stream, channels, outputFrames));
}

template <typename Sample>
SoxrResampler<Sample>::SoxrResampler(soxr* stream, unsigned channels, size_t outputFrames)
    : stream_(stream), channels_(channels), converted_(stream != nullptr ? channels * outputFrames : 0) {}

template <typename Sample>
SoxrResampler<Sample>::~SoxrResampler() {
    soxr_delete(stream_);
}

template <typename Sample>
void SoxrResampler<Sample>::Process(std::span<const Sample> input, std::vector<Sample>& output) {
    const size_t frames = input.size() / channels_;
    if (stream_ == nullptr) {
        output.insert(output.end(), input.begin(), input.begin() + static_cast<std::ptrdiff_t>(frames * channels_));
        return;
    }
    size_t used = 0;
    while (used < frames) {
        size_t consumed = 0;
        size_t produced = 0;
        soxr_process(stream_, input.data() + channels_ * used, frames - used, &consumed, converted_.data(),
                     converted_.size() / channels_, &produced);
        AppendConverted(produced, output);
        if (consumed == 0 && produced == 0) {
            break;
        }
        used += consumed;
    }
}

template <typename Sample>
void SoxrResampler<Sample>::Finish(std::vector<Sample>& output) {
    if (stream_ == nullptr) {
        return;
    }
    size_t produced = 0;
    do {
        produced = 0;
        soxr_process(stream_, nullptr, 0, nullptr, converted_.data(), converted_.size() / channels_, &produced);
        AppendConverted(produced, output);
    } while (produced > 0);
}

template <typename Sample>
void SoxrResampler<Sample>::AppendConverted(size_t frames, std::vector<Sample>& output) const {
    output.insert(output.end(), converted_.begin(), converted_.begin() + static_cast<std::ptrdiff_t>(channels_ * frames));
}

template class SoxrResampler<int16_t>;
template class SoxrResampler<float>;

}  // namespace voxnote
