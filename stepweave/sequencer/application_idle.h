#pragma once
// The application's idle processing as the step clocks use it: one idle
// handler slot and whether the application is the active one.
//
// The slot holds at most one handler; installing another replaces it. The
// program's main loop asks the slot when its handler is next due, sleeps
// until then (it never spins) and runs the handler. Whoever runs the loop
// watches OnScheduleChanged to learn of a new handler or a new due time.
//
// Main thread only.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "stepweave/sound/millisecond_clock.h"

namespace stepweave {

class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    // Called by the loop once the due time has come.
    virtual void Idle() = 0;
    // The clock reading at which the handler next has work.
    virtual uint32_t NextDue() const = 0;
};

class ApplicationIdle {
public:
    explicit ApplicationIdle(MillisecondClock& clock) : clock_(clock) {}
    ApplicationIdle(const ApplicationIdle&) = delete;
    ApplicationIdle& operator=(const ApplicationIdle&) = delete;

    MillisecondClock& Clock() const { return clock_; }

    // The slot. Removing a handler that is not installed changes nothing.
    void Install(IdleHandler& handler);
    void Remove(IdleHandler& handler);
    IdleHandler* Installed() const { return installed_; }

    // When the installed handler is due; none when the slot is empty.
    std::optional<uint32_t> NextDue() const;
    // Runs the installed handler if it is due now. Returns whether it ran.
    bool RunIdle();
    // A handler whose due time moved says so, for the loop's sake.
    void ScheduleChanged();
    std::function<void()> OnScheduleChanged;

    // Whether the application is the active one (it starts active). The
    // watchers are told of every change.
    bool Active() const { return active_; }
    void SetActive(bool active);
    int WatchActivity(std::function<void(bool active)> watcher);
    void StopWatchingActivity(int watch);

private:
    MillisecondClock& clock_;
    IdleHandler* installed_ = nullptr;
    bool active_ = true;
    std::map<int, std::function<void(bool)>> activityWatchers_;
    int nextWatch_ = 1;
};

}  // namespace stepweave
