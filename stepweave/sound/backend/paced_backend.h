#pragma once
// A device without a sound card: its own thread renders the mix block by
// block in real time, paced by the system clock, and hands every block to
// Deliver, as a sound card's driver hands it to the hardware. The silent
// device and the recording device are such devices. A block's time is the
// moment it is due, not the moment the thread got to it, so that a thread
// woken late on a busy machine moves no sound in what it records.
#include <atomic>
#include <cstdint>
#include <thread>

#include "stepweave/sound/backend/audio_backend.h"

namespace stepweave {

class PacedBackend : public AudioBackend {
public:
    static constexpr int kBlockFrames = 256;

    ~PacedBackend() override;

    uint32_t LatencyMilliseconds() const override { return 20; }
    MillisecondClock& Clock() override;
    bool Start(Mixer& mixer) override;
    // Joins the thread; Deliver is not called again.
    void Stop() override;

protected:
    // Called on the device's thread with each block of interleaved stereo
    // floats, in real time.
    virtual void Deliver(const float* interleaved, int frames) = 0;

private:
    void Run(Mixer& mixer);

    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace stepweave
