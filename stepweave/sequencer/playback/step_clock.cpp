#include "stepweave/sequencer/playback/step_clock.h"

#include <algorithm>

namespace stepweave {

StepClock::StepClock(ApplicationIdle& application)
    : application_(application),
      activityWatch_(application.WatchActivity([this](bool active) { ActivityChanged(active); })) {}

StepClock::~StepClock() {
    application_.StopWatchingActivity(activityWatch_);
    application_.Remove(*this);
}

void StepClock::SetInterval(uint32_t interval) {
    interval_ = interval;
    if (application_.Installed() == this) {
        application_.ScheduleChanged();
    }
}

void StepClock::SetEnabled(bool enabled) {
    if (!enabled) {
        if (enabled_) {
            enabled_ = false;
            application_.Remove(*this);
        }
        return;
    }
    enabled_ = true;
    lastFiring_ = application_.Clock().Now();
    if (MayPoll()) {
        application_.Install(*this);
    }
}

void StepClock::SetActiveOnly(bool activeOnly) {
    activeOnly_ = activeOnly;
    if (MayPoll()) {
        if (application_.Installed() != this) {
            application_.Install(*this);
        }
    } else {
        application_.Remove(*this);
    }
}

uint32_t StepClock::NextFiring() const { return lastFiring_ + std::max<uint32_t>(interval_, 1); }

void StepClock::Idle() {
    if (!MayPoll()) {
        return;
    }
    const uint32_t now = application_.Clock().Now();
    const uint32_t elapsed = now - lastFiring_;
    if (elapsed < interval_) {
        return;
    }
    const uint32_t due = NextFiring();
    lastFiring_ = KeepsToItsGrid(now) ? due : now;
    if (firingObserver_ != nullptr) {
        firingObserver_->Fired(due, now, lastFiring_);
    }
    const int lagCount = static_cast<int>(std::max<uint32_t>(1, elapsed / std::max<uint32_t>(interval_, 1)));
    if (OnTimer) {
        OnTimer(*this, lagCount);
    }
}

bool StepClock::KeepsToItsGrid(uint32_t now) const {
    const auto lateness = static_cast<int32_t>(now - NextFiring());
    return lateness >= 0 && lateness < static_cast<int32_t>(std::max<uint32_t>(interval_, 1) / 2);
}

void StepClock::ActivityChanged(bool active) {
    if (!enabled_ || !activeOnly_) {
        return;
    }
    if (active) {
        lastFiring_ = application_.Clock().Now();
        application_.Install(*this);
    } else {
        application_.Remove(*this);
    }
}

}  // namespace stepweave
