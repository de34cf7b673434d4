#pragma once
// Repeating timers of the main thread (the kit's sweep, the streams'
// refills), kept apart from whatever loop waits for them: the headless
// commands run them from HeadlessMainLoop, the windows from a toolkit timer
// armed for NextDue. Like window timers, a late firing is not made up: the
// next one is due one interval after the firing.
//
// Main thread only.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

class RepeatingTimer;

class TimerScheduler {
public:
    explicit TimerScheduler(MillisecondClock& clock) : clock_(clock) {}
    TimerScheduler(const TimerScheduler&) = delete;
    TimerScheduler& operator=(const TimerScheduler&) = delete;

    MillisecondClock& Clock() { return clock_; }
    // When the earliest enabled timer is due; none when no timer runs.
    std::optional<uint32_t> NextDue() const;
    // Fires each enabled timer that is due now, once. Handlers may start,
    // stop or destroy timers (their own included). Returns how many fired.
    int RunDueTimers();

    // Told whenever a timer starts, stops or changes its interval, so a loop
    // waiting for NextDue can wait for the new one instead.
    std::function<void()> OnScheduleChanged;

private:
    friend class RepeatingTimer;
    void Add(RepeatingTimer* timer);
    void Remove(RepeatingTimer* timer);
    void Changed();
    bool IsRegistered(const RepeatingTimer* timer, uint64_t serial) const;

    MillisecondClock& clock_;
    std::vector<RepeatingTimer*> timers_;
    uint64_t nextSerial_ = 1;
};

class RepeatingTimer {
public:
    // Starts enabled unless told otherwise; first due one interval from now.
    RepeatingTimer(TimerScheduler& scheduler, uint32_t interval, std::function<void()> onTimer, bool enabled = true);
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    bool Enabled() const { return enabled_; }
    // Enabling counts the interval from now.
    void SetEnabled(bool enabled);
    uint32_t Interval() const { return interval_; }
    // Counts the new interval from now.
    void SetInterval(uint32_t interval);
    uint32_t Due() const { return due_; }

private:
    friend class TimerScheduler;

    TimerScheduler& scheduler_;
    uint32_t interval_;
    std::function<void()> onTimer_;
    bool enabled_;
    uint32_t due_ = 0;
    uint64_t serial_ = 0;
};

// The timers of the program's main thread, on the system clock.
TimerScheduler& MainTimers();

}  // namespace stepweave
