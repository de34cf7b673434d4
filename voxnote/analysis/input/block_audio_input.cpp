#include "voxnote/analysis/input/block_audio_input.h"

#include <algorithm>

namespace voxnote {

bool BlockAudioInput::Open(const CaptureFormat& format) {
    if (open_ || format != kCaptureFormat) {
        return false;
    }
    feed_.RestartCount();
    open_ = OpenDevice();
    return open_;
}

bool BlockAudioInput::Close() {
    if (!open_ || queuedBlocks_ > 0) {
        return false;
    }
    if (recording_) {
        StopDevice();
        recording_ = false;
    }
    CloseDevice();
    open_ = false;
    return true;
}

bool BlockAudioInput::Prepare(CaptureBlock& block) {
    if (!open_ || block.inQueue || block.data == nullptr || block.bufferLength < sizeof(int16_t) ||
        block.bufferLength % sizeof(int16_t) != 0) {
        return false;
    }
    block.prepared = true;
    return true;
}

bool BlockAudioInput::Unprepare(CaptureBlock& block) {
    if (block.inQueue) {
        return false;
    }
    block.prepared = false;
    return true;
}

bool BlockAudioInput::AddBuffer(CaptureBlock& block) {
    if (!open_ || !block.prepared || block.inQueue) {
        return false;
    }
    block.bytesRecorded = 0;
    if (!feed_.Queue(block)) {
        return false;
    }
    block.inQueue = true;
    ++queuedBlocks_;
    return true;
}

bool BlockAudioInput::Start() {
    if (!open_) {
        return false;
    }
    if (recording_) {
        return true;
    }
    if (resampler_) {
        resampler_->Reset();
    }
    recording_ = StartDevice();
    return recording_;
}

bool BlockAudioInput::Reset() {
    if (!open_) {
        return false;
    }
    if (recording_) {
        StopDevice();
        recording_ = false;
    }
    feed_.ReturnAll();
    feed_.RestartCount();
    return true;
}

bool BlockAudioInput::GetPosition(CapturePosition& position) {
    if (!open_) {
        return false;
    }
    const uint64_t samples = feed_.SamplesRecorded();
    position.type = AnsweredPositionType(position.type);
    switch (position.type) {
        case PositionType::Milliseconds:
            position.value = static_cast<uint32_t>(samples * 1000 / kCaptureSampleRate);
            break;
        case PositionType::Samples:
            position.value = static_cast<uint32_t>(samples);
            break;
        case PositionType::Bytes:
            position.value = static_cast<uint32_t>(samples * sizeof(int16_t));
            break;
        case PositionType::Other:
            position.value = 0;
            break;
    }
    return true;
}

CaptureBlock* BlockAudioInput::TakeCompletedBlock() {
    CaptureBlock* block = feed_.TakeCompleted();
    if (block != nullptr) {
        block->inQueue = false;
        --queuedBlocks_;
    }
    return block;
}

bool BlockAudioInput::PrepareConversion(uint32_t deviceRate, size_t largestPiece) {
    resampler_.reset();
    if (deviceRate != kCaptureSampleRate) {
        resampler_ = PolyphaseResampler::Create(deviceRate, kCaptureSampleRate);
        if (!resampler_) {
            return false;
        }
    }
    largestPiece_ = std::max<size_t>(largestPiece, 1);
    converted_.assign(resampler_ ? resampler_->MaxOutput(largestPiece_) : largestPiece_, 0);
    return true;
}

void BlockAudioInput::DeliverDeviceSamples(const float* samples, size_t count) {
    while (count > 0) {
        const size_t piece = std::min(count, largestPiece_);
        size_t produced = piece;
        if (resampler_) {
            produced = resampler_->Process(samples, piece, converted_.data());
        } else {
            std::transform(samples, samples + piece, converted_.begin(), FloatToSample16);
        }
        feed_.Deliver(converted_.data(), produced);
        samples += piece;
        count -= piece;
    }
}

}  // namespace voxnote
