#include "stepweave/sound/timing/millisecond_clock.h"

#include <chrono>
#include <thread>

namespace stepweave {

namespace {

// Signed distance from a to b on the wrapping 32-bit counter.
int32_t Until(uint32_t from, uint32_t to) { return static_cast<int32_t>(to - from); }

}  // namespace

uint32_t SteadyMillisecondClock::Now() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyMillisecondClock::SleepUntil(uint32_t due) {
    const int32_t wait = Until(Now(), due);
    if (wait > 0) {
        // Sleep to just before the due millisecond, then to the tick itself, so the
        // waking lands within the millisecond rather than a scheduler slice late.
        std::this_thread::sleep_for(std::chrono::microseconds(wait * 1000 - 300));
        while (Until(Now(), due) > 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
}

MillisecondClock& SystemClock() {
    static SteadyMillisecondClock clock;
    return clock;
}

}  // namespace stepweave
