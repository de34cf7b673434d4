#include "voxnote/app/wavfile/pcm_wav_reader.h"

#include <algorithm>

#include "voxnote/analysis/wavfile/wav_format.h"

namespace voxnote {

namespace {

constexpr size_t kReadBytes = 65536;
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 768000;

bool IsPlayable(const WavFormat& format) {
    const size_t frameBytes = size_t{format.channels} * (format.bitsPerSample / 8);
    return format.formatTag == kPcmFormatTag && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.channels >= 1 && frameBytes <= kReadBytes && format.sampleRate >= kLowestRate &&
           format.sampleRate <= kHighestRate;
}

float SampleAt(const uint8_t* bytes, uint16_t bytesPerSample) {
    if (bytesPerSample == 1) {
        return (static_cast<int>(bytes[0]) - 128) / 128.0f;
    }
    return static_cast<int16_t>(ReadLittleEndian16(bytes)) / 32768.0f;
}

}  // namespace

std::unique_ptr<PcmWavReader> PcmWavReader::Open(std::unique_ptr<ByteSource> source, PcmWavProblem& problem) {
    std::optional<WavLayout> layout = source ? ReadWavLayout(*source, RiffExtent::Declared) : std::nullopt;
    if (!layout) {
        problem = PcmWavProblem::NotWav;
        return nullptr;
    }
    const WavFormat& format = layout->format;
    if (!IsPlayable(format)) {
        problem = PcmWavProblem::NotPlayable;
        return nullptr;
    }
    std::optional<RiffChunk> data = FindDataChunk(*source, *layout);
    if (!data) {
        problem = PcmWavProblem::NoData;
        return nullptr;
    }
    const uint16_t bytesPerSample = format.bitsPerSample / 8;
    const uint64_t frameCount = BytesPresent(*source, *data) / (uint64_t{format.channels} * bytesPerSample);
    problem = PcmWavProblem::None;
    return std::unique_ptr<PcmWavReader>(new PcmWavReader(std::move(source), format.sampleRate, format.channels,
                                                          bytesPerSample, data->dataOffset, frameCount));
}

PcmWavReader::PcmWavReader(std::unique_ptr<ByteSource> source, uint32_t sampleRate, uint16_t channels,
                           uint16_t bytesPerSample, uint64_t dataOffset, uint64_t frameCount)
    : source_(std::move(source)), sampleRate_(sampleRate), channels_(channels), bytesPerSample_(bytesPerSample),
      frameBytes_(size_t{channels} * bytesPerSample), dataOffset_(dataOffset), frameCount_(frameCount),
      framesPerRead_(kReadBytes / frameBytes_), bytes_(framesPerRead_ * frameBytes_) {}

size_t PcmWavReader::Read(std::span<float> stereo) {
    const uint64_t left = frameCount_ - nextFrame_;
    const size_t frames = static_cast<size_t>(std::min<uint64_t>({stereo.size() / 2, framesPerRead_, left}));
    const size_t got = source_->ReadAt(dataOffset_ + nextFrame_ * frameBytes_,
                                       std::span<uint8_t>(bytes_.data(), frames * frameBytes_)) /
                       frameBytes_;
    const size_t secondChannel = channels_ > 1 ? bytesPerSample_ : 0;
    for (size_t i = 0; i < got; ++i) {
        const uint8_t* frame = bytes_.data() + i * frameBytes_;
        stereo[2 * i] = SampleAt(frame, bytesPerSample_);
        stereo[2 * i + 1] = SampleAt(frame + secondChannel, bytesPerSample_);
    }
    nextFrame_ = got < frames ? frameCount_ : nextFrame_ + got;
    return got;
}

}  // namespace voxnote
