#pragma once
// A recording device that a test drives by hand: the test pumps the sound it
// "records", decides which device calls fail and in which type the position
// is answered. Everything happens on the calling thread. Sound pumped while no
// block is queued is dropped and counted, as a real device that the program
// starves of blocks would lose it.
#include <array>
#include <span>

#include "voxnote/analysis/input/block_audio_input.h"

namespace voxnote {

enum class DeviceCall { Open, Close, Prepare, Unprepare, AddBuffer, Start, Reset, GetPosition, Count };

class ManualAudioInput : public BlockAudioInput {
public:
    // deviceRate: the rate the pumped device sound is at.
    explicit ManualAudioInput(uint32_t deviceRate = kCaptureSampleRate) : deviceRate_(deviceRate) {}

    void SetDeviceCount(int count) { deviceCount_ = count; }
    // After succeedFirst more successful calls of that kind, every one fails
    // until Heal.
    void FailCall(DeviceCall call, int succeedFirst = 0) { remainingSuccesses_[Index(call)] = succeedFirst; }
    void Heal(DeviceCall call) { remainingSuccesses_[Index(call)] = -1; }
    // Position answers in this type whatever is asked.
    void AnswerPositionIn(PositionType type) { forcedPositionType_ = type; answerForced_ = true; }

    // Records samples at 11025 Hz; false (and nothing recorded) unless recording.
    bool Pump(std::span<const int16_t> samples);
    // Records samples at the device rate (full scale +-1.0) through the rate converter.
    bool PumpDevice(std::span<const float> samples);

    int DeviceCount() override { return deviceCount_; }
    bool DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) override;
    bool Open(const CaptureFormat& format) override;
    bool Close() override;
    bool Prepare(CaptureBlock& block) override;
    bool Unprepare(CaptureBlock& block) override;
    bool AddBuffer(CaptureBlock& block) override;
    bool Start() override;
    bool Reset() override;
    bool GetPosition(CapturePosition& position) override;

protected:
    bool OpenDevice() override { return PrepareConversion(deviceRate_, 4096); }
    bool StartDevice() override { return true; }
    void StopDevice() override {}
    void CloseDevice() override {}
    PositionType AnsweredPositionType(PositionType asked) const override {
        return answerForced_ ? forcedPositionType_ : asked;
    }

private:
    static size_t Index(DeviceCall call) { return static_cast<size_t>(call); }
    // Whether this call fails, counting it.
    bool Fails(DeviceCall call);

    uint32_t deviceRate_;
    int deviceCount_ = 1;
    std::array<int, static_cast<size_t>(DeviceCall::Count)> remainingSuccesses_{-1, -1, -1, -1, -1, -1, -1, -1};
    PositionType forcedPositionType_ = PositionType::Milliseconds;
    bool answerForced_ = false;
};

}  // namespace voxnote
