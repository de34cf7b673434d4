#include "voxnote/analysis/capture/millisecond_clock.h"

#include <chrono>

namespace voxnote {

uint32_t SteadyMillisecondClock::Now() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

MillisecondClock& SystemClock() {
    static SteadyMillisecondClock clock;
    return clock;
}

}  // namespace voxnote
