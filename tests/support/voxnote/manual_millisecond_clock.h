#pragma once
// A clock that only moves when told to.
#include <cstdint>

#include "voxnote/analysis/capture/millisecond_clock.h"

namespace voxnote {

class ManualMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_; }
    void Advance(uint32_t milliseconds) { now_ += milliseconds; }
    void Set(uint32_t now) { now_ = now; }

private:
    uint32_t now_ = 0;
};

}  // namespace voxnote
