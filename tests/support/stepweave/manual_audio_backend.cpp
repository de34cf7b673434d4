#include "tests/support/stepweave/manual_audio_backend.h"

#include "stepweave/sound/mixer/mixer.h"

namespace stepweave {

void ManualAudioClock::SleepUntil(uint32_t due) {
    const int32_t wait = static_cast<int32_t>(due - now_);
    if (wait > 0) {
        Advance(static_cast<uint32_t>(wait));
    }
}

void ManualAudioClock::Advance(uint32_t milliseconds) {
    const uint32_t target = now_ + milliseconds;
    if (mixer_ != nullptr) {
        block_.resize(static_cast<size_t>(blockFrames_) * Mixer::kChannels);
        while (true) {
            // The device asks for the next block when the frames before it have played.
            const uint32_t blockStart =
                attachedAt_ + static_cast<uint32_t>(renderedFrames_ * 1000 / Mixer::kSampleRate);
            if (static_cast<int32_t>(target - blockStart) < 0) {
                break;
            }
            now_ = blockStart;
            mixer_->Process(block_.data(), blockFrames_);
            output_.insert(output_.end(), block_.begin(), block_.end());
            renderedFrames_ += blockFrames_;
        }
    }
    now_ = target;
}

void ManualAudioClock::Attach(Mixer* mixer) {
    mixer_ = mixer;
    attachedAt_ = now_;
    renderedFrames_ = 0;
}

bool ManualAudioBackend::Start(Mixer& mixer) {
    clock_.Attach(&mixer);
    started_ = true;
    return true;
}

void ManualAudioBackend::Stop() {
    if (started_) {
        clock_.Attach(nullptr);
        started_ = false;
    }
}

}  // namespace stepweave
