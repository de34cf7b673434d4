#include "voxnote/app/audio/stereo_resampler.h"

#include <soxr.h>

namespace voxnote {

namespace {

constexpr unsigned kChannels = 2;

}  // namespace

struct StereoResampler::Filter {
    soxr_t soxr = nullptr;
    ~Filter() { soxr_delete(soxr); }
};

std::unique_ptr<StereoResampler> StereoResampler::Create(uint32_t inputRate, uint32_t outputRate,
                                                         size_t largestInputFrames) {
    if (inputRate == 0 || outputRate == 0) {
        return nullptr;
    }
    std::unique_ptr<Filter> filter;
    if (inputRate != outputRate) {
        soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        filter = std::make_unique<Filter>();
        filter->soxr = soxr_create(inputRate, outputRate, kChannels, &error, &io, &quality, nullptr);
        if (error || !filter->soxr) {
            return nullptr;
        }
    }
    // Room for one piece at the new rate, with some to spare for the filter.
    const size_t outputFrames = largestInputFrames * outputRate / inputRate + 256;
    return std::unique_ptr<StereoResampler>(new StereoResampler(std::move(filter), outputFrames));
}

StereoResampler::StereoResampler(std::unique_ptr<Filter> filter, size_t outputFrames)
    : filter_(std::move(filter)), converted_(kChannels * outputFrames) {}

StereoResampler::~StereoResampler() = default;

void StereoResampler::Process(std::span<const float> input, std::vector<float>& output) {
    if (!filter_) {
        output.insert(output.end(), input.begin(), input.end());
        return;
    }
    const size_t frames = input.size() / kChannels;
    size_t used = 0;
    while (used < frames) {
        size_t consumed = 0;
        size_t produced = 0;
        soxr_process(filter_->soxr, input.data() + kChannels * used, frames - used, &consumed, converted_.data(),
                     converted_.size() / kChannels, &produced);
        output.insert(output.end(), converted_.begin(),
                      converted_.begin() + static_cast<std::ptrdiff_t>(kChannels * produced));
        if (consumed == 0 && produced == 0) {
            break;
        }
        used += consumed;
    }
}

void StereoResampler::Finish(std::vector<float>& output) {
    if (!filter_) {
        return;
    }
    size_t produced = 0;
    do {
        produced = 0;
        soxr_process(filter_->soxr, nullptr, 0, nullptr, converted_.data(), converted_.size() / kChannels, &produced);
        output.insert(output.end(), converted_.begin(),
                      converted_.begin() + static_cast<std::ptrdiff_t>(kChannels * produced));
    } while (produced > 0);
}

}  // namespace voxnote
