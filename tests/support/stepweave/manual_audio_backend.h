#pragma once
// A sound device driven by hand, for tests: no thread and no sound card.
// Its clock only moves when told to, and moving it renders the blocks the
// device would have asked for in that time, at the moments it would have
// asked for them. Everything rendered is kept for the test to examine.
//
// SleepUntil moves the clock too, so code that waits (a play that waits for
// its end, a main loop sleeping until its next timer) drives the device as
// time passes, deterministically.
#include <cstdint>
#include <vector>

#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

class ManualAudioClock : public MillisecondClock {
public:
    // Blocks of 441 frames are exactly 10 ms long, so the clock reading at
    // every block is exact.
    explicit ManualAudioClock(int blockFrames = 441) : blockFrames_(blockFrames) {}

    uint32_t Now() override { return now_; }
    void SleepUntil(uint32_t due) override;
    // Moves the clock on, rendering every block whose start time comes up.
    void Advance(uint32_t milliseconds);

    // The output of the attached mixer so far: interleaved stereo.
    const std::vector<float>& Output() const { return output_; }
    void ClearOutput() { output_.clear(); }
    // Frames rendered since the mixer was attached.
    int64_t RenderedFrames() const { return renderedFrames_; }
    int BlockFrames() const { return blockFrames_; }

    // The device's side: the mixer to call, or nullptr.
    void Attach(Mixer* mixer);

private:
    int blockFrames_;
    uint32_t now_ = 0;
    Mixer* mixer_ = nullptr;
    uint32_t attachedAt_ = 0;
    int64_t renderedFrames_ = 0;
    std::vector<float> output_;
    std::vector<float> block_;
};

class ManualAudioBackend : public AudioBackend {
public:
    explicit ManualAudioBackend(ManualAudioClock& clock, uint32_t latencyMilliseconds = 20)
        : clock_(clock), latency_(latencyMilliseconds) {}
    ~ManualAudioBackend() override { Stop(); }

    bool Open() override { return true; }
    uint32_t LatencyMilliseconds() const override { return latency_; }
    MillisecondClock& Clock() override { return clock_; }
    bool Start(Mixer& mixer) override;
    void Stop() override;

private:
    ManualAudioClock& clock_;
    uint32_t latency_;
    bool started_ = false;
};

}  // namespace stepweave
