#include "stepweave/sound/output/file_recording_backend.h"

#include <array>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/millisecond_clock.h"
#include "stepweave/sound/output/mixer.h"
#include "stepweave/sound/wav/recording_wave_writer.h"

namespace stepweave {

FileRecordingBackend::FileRecordingBackend(std::string path) : path_(std::move(path)) {}

FileRecordingBackend::~FileRecordingBackend() { Stop(); }

bool FileRecordingBackend::Open() {
    try {
        writer_ = std::make_unique<RecordingWaveWriter>(path_);
        return true;
    } catch (const EStepweaveError&) {
        return false;
    }
}

MillisecondClock& FileRecordingBackend::Clock() { return SystemClock(); }

bool FileRecordingBackend::Start(Mixer& mixer) {
    if (!writer_) {
        return false;
    }
    running_ = true;
    thread_ = std::thread([this, &mixer] { Run(mixer); });
    return true;
}

void FileRecordingBackend::Stop() {
    if (thread_.joinable()) {
        running_ = false;
        thread_.join();
    }
    if (writer_) {
        try {
            writer_->Close();
        } catch (const EStepweaveError&) {
            // A full disk: the target stays as it was.
        }
        writer_.reset();
    }
}

void FileRecordingBackend::Run(Mixer& mixer) {
    MillisecondClock& clock = Clock();
    std::array<float, kBlockFrames * Mixer::kChannels> block{};
    const uint32_t start = clock.Now();
    int64_t rendered = 0;
    while (running_) {
        mixer.Process(block.data(), kBlockFrames);
        try {
            writer_->Append(block.data(), kBlockFrames);
        } catch (const EStepweaveError&) {
            return;  // a full disk ends the recording; Close keeps the old target
        }
        rendered += kBlockFrames;
        // The next block is due when the frames so far have been played.
        clock.SleepUntil(start + static_cast<uint32_t>(rendered * 1000 / Mixer::kSampleRate));
    }
}

}  // namespace stepweave
