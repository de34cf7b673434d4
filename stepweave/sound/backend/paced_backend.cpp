#include "stepweave/sound/backend/paced_backend.h"

#include <array>

#include "stepweave/sound/mixer/mixer.h"
#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

PacedBackend::~PacedBackend() { PacedBackend::Stop(); }

MillisecondClock& PacedBackend::Clock() { return SystemClock(); }

bool PacedBackend::Start(Mixer& mixer) {
    running_ = true;
    thread_ = std::thread([this, &mixer] { Run(mixer); });
    return true;
}

void PacedBackend::Stop() {
    if (thread_.joinable()) {
        running_ = false;
        thread_.join();
    }
}

void PacedBackend::Run(Mixer& mixer) {
    MillisecondClock& clock = Clock();
    std::array<float, kBlockFrames * Mixer::kChannels> block{};
    const uint32_t start = clock.Now();
    int64_t rendered = 0;
    while (running_) {
        mixer.Process(block.data(), kBlockFrames);
        Deliver(block.data(), kBlockFrames);
        rendered += kBlockFrames;
        // The next block is due when the frames so far have been played.
        clock.SleepUntil(start + static_cast<uint32_t>(rendered * 1000 / Mixer::kSampleRate));
    }
}

}  // namespace stepweave
