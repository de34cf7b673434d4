#pragma once
// An output device opened through RtAudio at 44100 Hz, stereo, 32-bit
// float, with blocks of about 256 frames: the system's default one, or the
// sound system and device that STEPWEAVE_AUDIO=rtaudio:API[:DEVICE] names.
#include <cstdint>
#include <memory>
#include <string>

#include "stepweave/sound/backend/audio_backend.h"

class RtAudio;

namespace stepweave {

class RtAudioBackend : public AudioBackend {
public:
    static constexpr unsigned int kPreferredBlockFrames = 256;

    // An empty api: the first sound system that has an output device. An
    // empty device: the sound system's default output.
    explicit RtAudioBackend(std::string api = {}, std::string device = {});
    ~RtAudioBackend() override;

    bool Open() override;
    std::string OpenFailure() const override { return openFailure_; }
    uint32_t LatencyMilliseconds() const override;
    MillisecondClock& Clock() override;
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    static int Callback(void* output, void* input, unsigned int frames, double streamTime,
                        unsigned int status, void* self);
    // The device to open, or false with openFailure_ saying why.
    bool ChooseDevice(unsigned int& deviceId);
    bool Fail(const std::string& cause);

    std::string api_;
    std::string device_;
    std::unique_ptr<RtAudio> audio_;
    Mixer* mixer_ = nullptr;
    unsigned int blockFrames_ = kPreferredBlockFrames;
    std::string openFailure_;
};

}  // namespace stepweave
