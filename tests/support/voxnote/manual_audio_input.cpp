#include "tests/support/voxnote/manual_audio_input.h"

namespace voxnote {

bool ManualAudioInput::Fails(DeviceCall call) {
    int& remaining = remainingSuccesses_[Index(call)];
    if (remaining < 0) {
        return false;
    }
    if (remaining == 0) {
        return true;
    }
    --remaining;
    return false;
}

bool ManualAudioInput::Pump(std::span<const int16_t> samples) {
    if (!IsRecording()) {
        return false;
    }
    DeliverCaptureSamples(samples.data(), samples.size());
    return true;
}

bool ManualAudioInput::PumpDevice(std::span<const float> samples) {
    if (!IsRecording()) {
        return false;
    }
    DeliverDeviceSamples(samples.data(), samples.size());
    return true;
}

bool ManualAudioInput::DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) {
    if (device < 0 || device >= deviceCount_) {
        return false;
    }
    capabilities.name = "Hand-pumped input " + std::to_string(device + 1);
    capabilities.channels = 1;
    return true;
}

bool ManualAudioInput::Open(const CaptureFormat& format) {
    return deviceCount_ > 0 && !Fails(DeviceCall::Open) && BlockAudioInput::Open(format);
}

bool ManualAudioInput::Close() { return !Fails(DeviceCall::Close) && BlockAudioInput::Close(); }

bool ManualAudioInput::Prepare(CaptureBlock& block) {
    return !Fails(DeviceCall::Prepare) && BlockAudioInput::Prepare(block);
}

bool ManualAudioInput::Unprepare(CaptureBlock& block) {
    return !Fails(DeviceCall::Unprepare) && BlockAudioInput::Unprepare(block);
}

bool ManualAudioInput::AddBuffer(CaptureBlock& block) {
    return !Fails(DeviceCall::AddBuffer) && BlockAudioInput::AddBuffer(block);
}

bool ManualAudioInput::Start() { return !Fails(DeviceCall::Start) && BlockAudioInput::Start(); }

bool ManualAudioInput::Reset() { return !Fails(DeviceCall::Reset) && BlockAudioInput::Reset(); }

bool ManualAudioInput::GetPosition(CapturePosition& position) {
    return !Fails(DeviceCall::GetPosition) && BlockAudioInput::GetPosition(position);
}

}  // namespace voxnote
