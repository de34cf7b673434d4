#pragma once
// A clock that only moves when told to; SleepUntil jumps to the due time.
#include <cstdint>

#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

class ManualMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_; }
    void SleepUntil(uint32_t due) override {
        if (static_cast<int32_t>(due - now_) > 0) {
            now_ = due;
        }
    }
    void Advance(uint32_t milliseconds) { now_ += milliseconds; }
    void Set(uint32_t now) { now_ = now; }

private:
    uint32_t now_ = 0;
};

}  // namespace stepweave
