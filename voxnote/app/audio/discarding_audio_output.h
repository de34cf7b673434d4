#pragma once
// An audio output without a device: its own thread asks the renderer for
// frames at the pace a sound card would and throws them away. The program
// plays "silently" with it on a machine without sound, and a preview still
// reaches its end in real time.
#include <thread>
#include <vector>

#include "voxnote/app/audio/audio_output.h"

namespace voxnote {

class DiscardingAudioOutput : public AudioOutput {
public:
    ~DiscardingAudioOutput() override;

    bool Open(unsigned preferredRate, unsigned framesPerBuffer, AudioRenderer& renderer,
              std::string& failure) override;
    unsigned SampleRate() const override { return sampleRate_; }
    bool Start(std::string& failure) override;
    bool Stop(std::string& failure) override;
    void Close() override;

private:
    void Run(std::stop_token stop);

    AudioRenderer* renderer_ = nullptr;
    unsigned sampleRate_ = 0;
    std::vector<float> buffer_;
    std::jthread thread_;
};

}  // namespace voxnote
