#include "stepweave/sound/voices/voice_pool.h"

#include "stepweave/sound/timing/timer_scheduler.h"
#include "stepweave/sound/voices/voice.h"

namespace stepweave {

VoicePool::VoicePool() = default;

VoicePool::~VoicePool() { Clear(); }

void VoicePool::StartSweeping(TimerScheduler& timers) {
    sweep_ = std::make_unique<RepeatingTimer>(timers, kSweepMilliseconds, [this] { Sweep(); });
}

void VoicePool::Clear() {
    sweep_.reset();
    playing_.clear();
}

void VoicePool::Add(std::unique_ptr<Voice> copy) { playing_.push_back(std::move(copy)); }

void VoicePool::Sweep() {
    for (auto i = static_cast<int>(playing_.size()) - 1; i >= 0; --i) {
        Voice& copy = *playing_[static_cast<size_t>(i)];
        if (!copy.IsMade() || !copy.Playing()) {
            playing_.erase(playing_.begin() + i);
        }
    }
}

}  // namespace stepweave
