#pragma once
// A recording device that plays a WAV file into the capture in real time
// (tests and demonstrations): each run starts at the file's beginning, and
// silence follows its end. The file is read and mixed to mono when the input
// is made; its own thread then hands the sound over in 10 ms pieces at the
// file's rate, through the same rate conversion as a sound card's.
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "voxnote/analysis/input/block_audio_input.h"

namespace voxnote {

class FileAudioInput : public BlockAudioInput {
public:
    // pace: how many times faster than real time the file plays (tests).
    explicit FileAudioInput(std::string path, double pace = 1.0);
    ~FileAudioInput() override;

    // The file could be read: it is the one recording device.
    bool IsReadable() const { return !mono_.empty() || sampleRate_ != 0; }
    // The whole file has been played in the current run.
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

    int DeviceCount() override { return IsReadable() ? 1 : 0; }
    bool DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) override;

protected:
    bool OpenDevice() override;
    bool StartDevice() override;
    void StopDevice() override;
    void CloseDevice() override {}

private:
    void Play();

    std::string path_;
    double pace_;
    uint32_t sampleRate_ = 0;
    uint16_t channels_ = 0;
    std::vector<float> mono_;
    std::vector<float> silence_;
    size_t pieceFrames_ = 0;
    std::thread player_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> finished_{false};
};

}  // namespace voxnote
