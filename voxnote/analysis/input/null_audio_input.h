#pragma once
// No recording device at all: nothing to list, nothing opens.
#include "voxnote/analysis/input/audio_input.h"

namespace voxnote {

class NullAudioInput : public AudioInput {
public:
    int DeviceCount() override { return 0; }
    bool DeviceCapabilities(int, InputDeviceCapabilities&) override { return false; }
    bool Open(const CaptureFormat&) override { return false; }
    bool Close() override { return false; }
    bool Prepare(CaptureBlock&) override { return false; }
    bool Unprepare(CaptureBlock&) override { return false; }
    bool AddBuffer(CaptureBlock&) override { return false; }
    bool Start() override { return false; }
    bool Reset() override { return false; }
    bool GetPosition(CapturePosition&) override { return false; }
    CaptureBlock* TakeCompletedBlock() override { return nullptr; }
    uint64_t DroppedSamples() const override { return 0; }
};

}  // namespace voxnote
