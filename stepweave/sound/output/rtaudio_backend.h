#pragma once
// The default output device of the system, opened through RtAudio at
// 44100 Hz, stereo, 32-bit float, with blocks of about 256 frames.
#include <cstdint>
#include <memory>

#include "stepweave/sound/output/audio_backend.h"

class RtAudio;

namespace stepweave {

class RtAudioBackend : public AudioBackend {
public:
    static constexpr unsigned int kPreferredBlockFrames = 256;

    RtAudioBackend();
    ~RtAudioBackend() override;

    bool Open() override;
    uint32_t LatencyMilliseconds() const override;
    MillisecondClock& Clock() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    static int Callback(void* output, void* input, unsigned int frames, double streamTime,
                        unsigned int status, void* self);

    std::unique_ptr<RtAudio> audio_;
    Mixer* mixer_ = nullptr;
    unsigned int blockFrames_ = kPreferredBlockFrames;
};

}  // namespace stepweave
