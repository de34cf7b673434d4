#pragma once
// An audio output whose frames are pulled by hand: each Pull renders the
// next frames on the caller's thread and keeps them, so a test hears exactly
// what a sound card would have been given. It can be told to fail its next
// open, start or stop, as a broken device would.
#include <string>
#include <vector>

#include "voxnote/app/audio/audio_output.h"

namespace voxnote {

class ManualAudioOutput : public AudioOutput {
public:
    explicit ManualAudioOutput(unsigned sampleRate) : deviceRate_(sampleRate) {}

    // The device's own rate is used whatever rate is preferred.
    bool Open(unsigned preferredRate, unsigned framesPerBuffer, AudioRenderer& renderer,
              std::string& failure) override;
    unsigned SampleRate() const override { return deviceRate_; }
    bool Start(std::string& failure) override;
    bool Stop(std::string& failure) override;
    void Close() override;

    // Renders `frames` stereo frames while started; false (nothing done)
    // otherwise.
    bool Pull(unsigned frames);
    bool IsRunning() const { return running_; }
    bool IsOpen() const { return renderer_ != nullptr; }

    // Interleaved left/right frames of every Pull since the last open.
    const std::vector<float>& Rendered() const { return rendered_; }

    // The next call of that kind fails with this reason.
    void FailNextOpen(std::string reason) { openFailure_ = std::move(reason); }
    void FailNextStart(std::string reason) { startFailure_ = std::move(reason); }
    void FailNextStop(std::string reason) { stopFailure_ = std::move(reason); }

private:
    unsigned deviceRate_;
    AudioRenderer* renderer_ = nullptr;
    bool running_ = false;
    std::vector<float> rendered_;
    std::string openFailure_;
    std::string startFailure_;
    std::string stopFailure_;
};

}  // namespace voxnote
