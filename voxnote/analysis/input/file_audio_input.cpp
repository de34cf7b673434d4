#include "voxnote/analysis/input/file_audio_input.h"

#include <algorithm>
#include <chrono>

#include "voxnote/analysis/input/capture_wav_file.h"

namespace voxnote {

FileAudioInput::FileAudioInput(std::string path, double pace) : path_(std::move(path)), pace_(pace > 0 ? pace : 1.0) {
    const std::optional<CaptureWavSound> sound = ReadCaptureWavFile(path_);
    if (!sound) {
        return;
    }
    sampleRate_ = sound->sampleRate;
    channels_ = sound->channels;
    const size_t frames = sound->samples.size() / channels_;
    mono_.resize(frames);
    for (size_t frame = 0; frame < frames; ++frame) {
        float sum = 0.0f;
        for (uint16_t channel = 0; channel < channels_; ++channel) {
            sum += sound->samples[frame * channels_ + channel];
        }
        mono_[frame] = sum / (32768.0f * channels_);
    }
    pieceFrames_ = std::max<size_t>(sampleRate_ / 100, 1);
    silence_.assign(pieceFrames_, 0.0f);
}

FileAudioInput::~FileAudioInput() { StopDevice(); }

bool FileAudioInput::DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) {
    if (device != 0 || !IsReadable()) {
        return false;
    }
    capabilities.name = "file:" + path_;
    capabilities.channels = channels_;
    return true;
}

bool FileAudioInput::OpenDevice() { return IsReadable() && PrepareConversion(sampleRate_, pieceFrames_); }

bool FileAudioInput::StartDevice() {
    stopRequested_.store(false);
    finished_.store(false);
    player_ = std::thread(&FileAudioInput::Play, this);
    return true;
}

void FileAudioInput::StopDevice() {
    stopRequested_.store(true);
    if (player_.joinable()) {
        player_.join();
    }
}

// The device thread: one piece per 10 ms of the file (sooner with a faster
// pace), on a schedule kept from the start so that the pieces do not drift.
void FileAudioInput::Play() {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::chrono::duration<double> pieceTime(static_cast<double>(pieceFrames_) / sampleRate_ / pace_);
    size_t played = 0;
    for (uint64_t piece = 1; !stopRequested_.load(std::memory_order_relaxed); ++piece) {
        std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(pieceTime * piece));
        if (played < mono_.size()) {
            const size_t count = std::min(pieceFrames_, mono_.size() - played);
            DeliverDeviceSamples(mono_.data() + played, count);
            played += count;
        } else {
            finished_.store(true, std::memory_order_release);
            DeliverDeviceSamples(silence_.data(), silence_.size());
        }
    }
}

}  // namespace voxnote
