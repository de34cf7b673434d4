#pragma once
// The application's idle processing as the step clocks use it: one idle
// handler slot and whether the application is the active one.
//
// The slot holds at most one handler; installing another replaces it.
// Instead of polling the handler from a spinning idle loop, the slot keeps
// one main-thread timer armed for the moment the handler is next due, so
// whatever loop serves the main thread's timers (the headless loop, or the
// window toolkit's) sleeps until then and runs the handler on time.
//
// Main thread only.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    // Called once the due time has come.
    virtual void Idle() = 0;
    // The clock reading at which the handler next has work.
    virtual uint32_t NextDue() const = 0;
};

class ApplicationIdle {
public:
    explicit ApplicationIdle(TimerScheduler& timers = MainTimers());
    ApplicationIdle(const ApplicationIdle&) = delete;
    ApplicationIdle& operator=(const ApplicationIdle&) = delete;

    MillisecondClock& Clock() const { return timers_.Clock(); }

    // The slot. Removing a handler that is not installed changes nothing.
    void Install(IdleHandler& handler);
    void Remove(IdleHandler& handler);
    IdleHandler* Installed() const { return installed_; }

    // When the installed handler is due; none when the slot is empty.
    std::optional<uint32_t> NextDue() const;
    // Runs the installed handler if it is due now. Returns whether it ran.
    bool RunIdle();
    // The installed handler's due time moved: the timer is armed anew.
    void ScheduleChanged();

    // Whether the application is the active one (it starts active). The
    // watchers are told of every change.
    bool Active() const { return active_; }
    void SetActive(bool active);
    int WatchActivity(std::function<void(bool active)> watcher);
    void StopWatchingActivity(int watch);

private:
    TimerScheduler& timers_;
    RepeatingTimer wake_;
    IdleHandler* installed_ = nullptr;
    bool active_ = true;
    std::map<int, std::function<void(bool)>> activityWatchers_;
    int nextWatch_ = 1;
};

}  // namespace stepweave
