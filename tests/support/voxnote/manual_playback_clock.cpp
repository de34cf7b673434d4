#include "tests/support/voxnote/manual_playback_clock.h"

#include <algorithm>
#include <chrono>

namespace voxnote {

uint32_t ManualPlaybackClock::Now() {
    std::lock_guard lock(mutex_);
    return now_;
}

bool ManualPlaybackClock::MayJumpTo(uint32_t due) const {
    return !hold_ || HasReached(*hold_, due);
}

bool ManualPlaybackClock::MustWait(uint32_t due) const {
    return !HasReached(now_, due) && !MayJumpTo(due);
}

bool ManualPlaybackClock::SleepUntil(uint32_t due, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (HasReached(now_, due)) {
            return true;
        }
        if (MayJumpTo(due)) {
            now_ = due;
            changed_.notify_all();
            return true;
        }
        sleepersDue_.push_back(due);
        changed_.notify_all();
        changed_.wait(lock, stop, [&] { return !MustWait(due); });
        sleepersDue_.erase(std::find(sleepersDue_.begin(), sleepersDue_.end(), due));
    }
    return false;
}

void ManualPlaybackClock::Set(uint32_t now) {
    std::lock_guard lock(mutex_);
    now_ = now;
    changed_.notify_all();
}

void ManualPlaybackClock::Advance(uint32_t milliseconds) {
    std::lock_guard lock(mutex_);
    now_ += milliseconds;
    changed_.notify_all();
}

void ManualPlaybackClock::HoldAt(uint32_t limit) {
    std::lock_guard lock(mutex_);
    hold_ = limit;
    changed_.notify_all();
}

void ManualPlaybackClock::Release() {
    std::lock_guard lock(mutex_);
    hold_.reset();
    changed_.notify_all();
}

bool ManualPlaybackClock::WaitForSleeper() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] {
        return std::any_of(sleepersDue_.begin(), sleepersDue_.end(), [&](uint32_t due) { return MustWait(due); });
    });
}

}  // namespace voxnote
