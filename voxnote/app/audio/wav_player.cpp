#include "voxnote/app/audio/wav_player.h"

#include <algorithm>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr size_t kChannels = 2;
// About 21 ms at 48 kHz: short enough for the Stop button to feel immediate.
constexpr unsigned kFramesPerBuffer = 1024;

std::string ProblemText(PcmWavProblem problem) {
    switch (problem) {
        case PcmWavProblem::NotPlayable:
            return Text(strings::kCannotPlayWaveFormat);
        case PcmWavProblem::NoData:
            return Text(strings::kNoDataChunk);
        default:
            return Text(strings::kCannotOpenWaveForPlayback);
    }
}

}  // namespace

WavPlayer::WavPlayer(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}

WavPlayer::~WavPlayer() {
    CloseOutput();
}

bool WavPlayer::Play(const std::filesystem::path& file, MessageReporter& reporter) {
    if (playing_) {
        Stop(reporter);
    }
    PcmWavProblem problem = PcmWavProblem::None;
    reader_ = PcmWavReader::Open(FileByteSource::Open(file), problem);
    if (!reader_) {
        return Fail(reporter, ProblemText(problem));
    }
    std::string failure;
    if (!output_->Open(reader_->SampleRate(), kFramesPerBuffer, *this, failure)) {
        return Fail(reporter, failure);
    }
    const unsigned rate = output_->SampleRate();
    resampler_ = SoxrResampler<float>::Create(reader_->SampleRate(), rate, kChannels, reader_->LargestRead());
    if (!resampler_) {
        CloseOutput();
        return Fail(reporter, Text(strings::kCannotPlayWaveFormat));
    }
    const uint64_t framesAtRate = reader_->FrameCount() * rate / reader_->SampleRate() + 1024;
    ring_ = std::make_unique<SampleRing>(kChannels * std::min<uint64_t>(framesAtRate, uint64_t{kPlayerRingSeconds} * rate));
    decoded_.assign(kChannels * reader_->LargestRead(), 0.0f);
    converted_.clear();
    converted_.reserve(kChannels * (reader_->LargestRead() * rate / reader_->SampleRate() + 1024));
    convertedStart_ = 0;
    readerFinished_ = false;
    sourceEnded_ = false;
    drained_ = false;
    Fill();
    if (!output_->Start(failure)) {
        CloseOutput();
        return Fail(reporter, failure);
    }
    playing_ = true;
    return true;
}

bool WavPlayer::Fail(MessageReporter& reporter, const std::string& message) {
    reporter.Report(MessageKind::Warning, message);
    return false;
}

// Moves converted sound into the ring while it has room, reading and
// converting more of the file as needed; marks the end once all of it is in.
void WavPlayer::Fill() {
    while (!sourceEnded_.load(std::memory_order_relaxed)) {
        if (convertedStart_ < converted_.size()) {
            std::span<const float> waiting(converted_.data() + convertedStart_, converted_.size() - convertedStart_);
            convertedStart_ += ring_->Write(waiting);
            if (convertedStart_ < converted_.size()) {
                return;  // the ring is full
            }
        }
        converted_.clear();
        convertedStart_ = 0;
        if (readerFinished_) {
            sourceEnded_.store(true, std::memory_order_release);
            return;
        }
        const size_t frames = reader_->Read(decoded_);
        if (frames == 0) {
            resampler_->Finish(converted_);
            readerFinished_ = true;
        } else {
            resampler_->Process(std::span<const float>(decoded_.data(), kChannels * frames), converted_);
        }
    }
}

bool WavPlayer::Pump() {
    if (!playing_) {
        return false;
    }
    Fill();
    if (!drained_.load(std::memory_order_acquire)) {
        return false;
    }
    CloseOutput();
    return true;
}

void WavPlayer::Stop(MessageReporter& reporter) {
    if (!playing_) {
        return;
    }
    std::string failure;
    if (!output_->Stop(failure)) {
        reporter.Report(MessageKind::Warning, Text(strings::kProblemStoppingAudio));
    }
    CloseOutput();
}

void WavPlayer::CloseOutput() {
    output_->Close();
    playing_ = false;
}

// Audio thread. The end is noticed only when it was marked before this
// read: then a short read means that the ring is empty for good.
void WavPlayer::Render(float* interleaved, unsigned frames) {
    const bool ended = sourceEnded_.load(std::memory_order_acquire);
    const size_t wanted = kChannels * frames;
    const size_t got = ring_->Read(std::span<float>(interleaved, wanted));
    std::fill(interleaved + got, interleaved + wanted, 0.0f);
    if (ended && got < wanted) {
        drained_.store(true, std::memory_order_release);
    }
}

}  // namespace voxnote
