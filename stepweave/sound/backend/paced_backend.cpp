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
        // Each block sounds when the frames before it have been played, even
        // when a busy machine woke this thread late: the frames of a sound
        // stamped t are where t falls in the device's own time line.
        const uint32_t due = start + static_cast<uint32_t>(rendered * 1000 / Mixer::kSampleRate);
        mixer.Process(block.data(), kBlockFrames, due);
        Deliver(block.data(), kBlockFrames);
        rendered += kBlockFrames;
        clock.SleepUntil(start + static_cast<uint32_t>(rendered * 1000 / Mixer::kSampleRate));
    }
}

}  // namespace stepweave
