#pragma once
// The default sound output device through RtAudio, as stereo float frames.
#include <memory>

#include "voxnote/app/audio/audio_output.h"

class RtAudio;

namespace voxnote {

class RtAudioOutput : public AudioOutput {
public:
    RtAudioOutput();
    ~RtAudioOutput() override;

    bool Open(unsigned preferredRate, unsigned framesPerBuffer, AudioRenderer& renderer,
              std::string& failure) override;
    unsigned SampleRate() const override { return sampleRate_; }
    bool Start(std::string& failure) override;
    bool Stop(std::string& failure) override;
    void Close() override;

private:
    static int Callback(void* output, void* input, unsigned frames, double streamTime, unsigned status,
                        void* renderer);

    std::unique_ptr<RtAudio> audio_;
    unsigned sampleRate_ = 0;
};

}  // namespace voxnote
