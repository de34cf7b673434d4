#pragma once
// The step clock: a polled timer on the millisecond clock that fires its
// OnTimer at most once per Interval while it is enabled.
//
// While enabled (and, with ActiveOnly, while the application is active) it
// sits in the application's single idle-handler slot; the main loop sleeps
// until the clock is due and then polls it. A poll at least Interval
// milliseconds after the last firing fires once, with
// lag count = max(1, elapsed / max(Interval, 1)). A late firing is not made
// up: a poll more than half an interval late becomes the last firing time
// itself, and the next firing is counted from it. A poll less late than that
// (the main thread woke a little after the due millisecond) counts as on
// time, so that the firings keep to their grid instead of drifting by every
// small delay. A new Interval applies from the next poll on.
//
// Enabling sets the last firing time to now: the first firing comes one full
// interval later. Installing a clock replaces the other clock's handler;
// disabling a running clock takes its handler out of the slot. An ActiveOnly
// clock takes its handler out while the application is inactive (it pauses)
// and, when it is active again, counts the interval from that moment.
//
// Main thread only.
#include <cstdint>
#include <functional>

#include "stepweave/sequencer/playback/application_idle.h"

namespace stepweave {

// Told of every firing, just before OnTimer: when the firing was due, when
// the poll came, and the time the firing counts as (LastFiring).
class StepFiringObserver {
public:
    virtual ~StepFiringObserver() = default;
    virtual void Fired(uint32_t due, uint32_t polled, uint32_t countsAs) = 0;
};

class StepClock : private IdleHandler {
public:
    static constexpr uint32_t kDefaultInterval = 1000;

    // Disabled, ActiveOnly, with the default interval.
    explicit StepClock(ApplicationIdle& application);
    ~StepClock() override;
    StepClock(const StepClock&) = delete;
    StepClock& operator=(const StepClock&) = delete;

    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool ActiveOnly() const { return activeOnly_; }
    void SetActiveOnly(bool activeOnly);

    // When the clock is next due to fire, whether or not it is polled.
    uint32_t NextFiring() const;
    // The time the last firing counts as: its due time, or the poll's time
    // when it came more than half an interval late. Inside OnTimer, the
    // firing under way.
    uint32_t LastFiring() const { return lastFiring_; }

    std::function<void(StepClock& sender, int lagCount)> OnTimer;
    // Null for none; not owned.
    void SetFiringObserver(StepFiringObserver* observer) { firingObserver_ = observer; }

private:
    void Idle() override;
    uint32_t NextDue() const override { return NextFiring(); }

    bool KeepsToItsGrid(uint32_t now) const;
    bool MayPoll() const { return enabled_ && (!activeOnly_ || application_.Active()); }
    void ActivityChanged(bool active);

    ApplicationIdle& application_;
    int activityWatch_;
    uint32_t interval_ = kDefaultInterval;
    bool enabled_ = false;
    bool activeOnly_ = true;
    uint32_t lastFiring_ = 0;
    StepFiringObserver* firingObserver_ = nullptr;
};

}  // namespace stepweave
