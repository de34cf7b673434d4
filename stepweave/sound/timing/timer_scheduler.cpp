#include "stepweave/sound/timing/timer_scheduler.h"

#include <algorithm>

namespace stepweave {

namespace {

bool IsDue(uint32_t due, uint32_t now) { return static_cast<int32_t>(now - due) >= 0; }

}  // namespace

std::optional<uint32_t> TimerScheduler::NextDue() const {
    std::optional<uint32_t> earliest;
    const uint32_t now = clock_.Now();
    for (const RepeatingTimer* timer : timers_) {
        if (!timer->enabled_) {
            continue;
        }
        // Compare as distances from now, so the 32-bit wrap does no harm.
        if (!earliest || static_cast<int32_t>(timer->due_ - now) < static_cast<int32_t>(*earliest - now)) {
            earliest = timer->due_;
        }
    }
    return earliest;
}

int TimerScheduler::RunDueTimers() {
    const uint32_t now = clock_.Now();
    std::vector<std::pair<RepeatingTimer*, uint64_t>> due;
    for (RepeatingTimer* timer : timers_) {
        if (timer->enabled_ && IsDue(timer->due_, now)) {
            due.emplace_back(timer, timer->serial_);
        }
    }
    int fired = 0;
    for (const auto& [timer, serial] : due) {
        // An earlier handler may have destroyed or stopped this timer.
        if (!IsRegistered(timer, serial) || !timer->enabled_) {
            continue;
        }
        timer->due_ = clock_.Now() + timer->interval_;
        ++fired;
        if (timer->onTimer_) {
            timer->onTimer_();
        }
    }
    return fired;
}

void TimerScheduler::Add(RepeatingTimer* timer) {
    timer->serial_ = nextSerial_++;
    timers_.push_back(timer);
    Changed();
}

void TimerScheduler::Remove(RepeatingTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
    Changed();
}

void TimerScheduler::Changed() {
    if (OnScheduleChanged) {
        OnScheduleChanged();
    }
}

bool TimerScheduler::IsRegistered(const RepeatingTimer* timer, uint64_t serial) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const RepeatingTimer* registered) { return registered == timer && timer->serial_ == serial; });
}

RepeatingTimer::RepeatingTimer(TimerScheduler& scheduler, uint32_t interval, std::function<void()> onTimer,
                               bool enabled)
    : scheduler_(scheduler), interval_(interval), onTimer_(std::move(onTimer)), enabled_(enabled) {
    due_ = scheduler_.Clock().Now() + interval_;
    scheduler_.Add(this);
}

RepeatingTimer::~RepeatingTimer() { scheduler_.Remove(this); }

void RepeatingTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled) {
        due_ = scheduler_.Clock().Now() + interval_;
    }
    scheduler_.Changed();
}

void RepeatingTimer::SetInterval(uint32_t interval) {
    interval_ = interval;
    due_ = scheduler_.Clock().Now() + interval_;
    scheduler_.Changed();
}

TimerScheduler& MainTimers() {
    static TimerScheduler timers(SystemClock());
    return timers;
}

}  // namespace stepweave
