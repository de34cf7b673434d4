#include "stepweave/sound/timing/headless_main_loop.h"

#include <memory>

namespace stepweave {

bool HeadlessMainLoop::RunUntil(const std::function<bool()>& condition, uint32_t pollMilliseconds) {
    std::unique_ptr<RepeatingTimer> poll;
    if (pollMilliseconds > 0) {
        poll = std::make_unique<RepeatingTimer>(timers_, pollMilliseconds, nullptr);
    }
    while (true) {
        timers_.RunDueTimers();
        if (condition()) {
            return true;
        }
        const std::optional<uint32_t> due = timers_.NextDue();
        if (!due) {
            return false;
        }
        timers_.Clock().SleepUntil(*due);
    }
}

void HeadlessMainLoop::RunFor(uint32_t milliseconds) {
    bool over = false;
    RepeatingTimer end(timers_, milliseconds, [&] { over = true; });
    RunUntil([&] { return over; });
}

}  // namespace stepweave
