#pragma once
// The sound card's recording input through RtAudio: the default input device,
// one channel, at 11025 Hz when the device offers it, else at a rate it offers
// (44100 or 48000 Hz, typically) converted to 11025 Hz in the device callback.
#include <memory>

#include "voxnote/analysis/input/block_audio_input.h"

class RtAudio;

namespace voxnote {

class RtAudioInput : public BlockAudioInput {
public:
    RtAudioInput();
    ~RtAudioInput() override;

    int DeviceCount() override;
    bool DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) override;

protected:
    bool OpenDevice() override;
    bool StartDevice() override;
    void StopDevice() override;
    void CloseDevice() override;

private:
    static int Callback(void* output, void* input, unsigned int frames, double streamTime, unsigned int status,
                        void* self);

    std::unique_ptr<RtAudio> audio_;
};

}  // namespace voxnote
