#pragma once
// The main loop of the headless commands: fires due timers and sleeps until
// the next one is due. It never spins.
#include "stepweave/sound/timing/main_loop.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

class HeadlessMainLoop : public MainLoop {
public:
    explicit HeadlessMainLoop(TimerScheduler& timers = MainTimers()) : timers_(timers) {}

    bool RunUntil(const std::function<bool()>& condition, uint32_t pollMilliseconds = 0) override;
    void RunFor(uint32_t milliseconds) override;

private:
    TimerScheduler& timers_;
};

}  // namespace stepweave
