#include "stepweave/sequencer/playback/application_idle.h"

namespace stepweave {

namespace {

// Signed distance from a to b on the wrapping 32-bit counter.
int32_t Until(uint32_t from, uint32_t to) { return static_cast<int32_t>(to - from); }

}  // namespace

ApplicationIdle::ApplicationIdle(TimerScheduler& timers)
    : timers_(timers), wake_(timers, 0, [this] {
          if (!RunIdle()) {
              ScheduleChanged();  // woken early: wait on for the handler
          }
      }, false) {}

void ApplicationIdle::Install(IdleHandler& handler) {
    installed_ = &handler;
    ScheduleChanged();
}

void ApplicationIdle::Remove(IdleHandler& handler) {
    if (installed_ == &handler) {
        installed_ = nullptr;
        ScheduleChanged();
    }
}

std::optional<uint32_t> ApplicationIdle::NextDue() const {
    if (installed_ == nullptr) {
        return std::nullopt;
    }
    return installed_->NextDue();
}

bool ApplicationIdle::RunIdle() {
    if (installed_ == nullptr || Until(Clock().Now(), installed_->NextDue()) > 0) {
        return false;
    }
    installed_->Idle();
    ScheduleChanged();
    return true;
}

void ApplicationIdle::ScheduleChanged() {
    if (installed_ == nullptr) {
        wake_.SetEnabled(false);
        return;
    }
    const int32_t wait = Until(Clock().Now(), installed_->NextDue());
    wake_.SetEnabled(true);
    wake_.SetInterval(wait > 0 ? static_cast<uint32_t>(wait) : 0);
}

void ApplicationIdle::SetActive(bool active) {
    if (active == active_) {
        return;
    }
    active_ = active;
    // A watcher may stop watching while being told.
    const auto watchers = activityWatchers_;
    for (const auto& [watch, watcher] : watchers) {
        if (activityWatchers_.count(watch) != 0) {
            watcher(active);
        }
    }
}

int ApplicationIdle::WatchActivity(std::function<void(bool)> watcher) {
    const int watch = nextWatch_++;
    activityWatchers_.emplace(watch, std::move(watcher));
    return watch;
}

void ApplicationIdle::StopWatchingActivity(int watch) { activityWatchers_.erase(watch); }

}  // namespace stepweave
