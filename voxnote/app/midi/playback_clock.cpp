#include "voxnote/app/midi/playback_clock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace voxnote {

namespace {

int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

uint32_t SteadyPlaybackClock::Now() {
    return static_cast<uint32_t>(SteadyMilliseconds());
}

bool SteadyPlaybackClock::SleepUntil(uint32_t due, std::stop_token stop) {
    using namespace std::chrono;
    // The instant at which Now() turns `due`, found from the full 64-bit reading.
    const int64_t now = SteadyMilliseconds();
    const int32_t ahead = static_cast<int32_t>(due - static_cast<uint32_t>(now));
    const steady_clock::time_point deadline{milliseconds(now + ahead)};
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_until(lock, stop, deadline, [] { return false; });
    return !stop.stop_requested();
}

PlaybackClock& SystemPlaybackClock() {
    static SteadyPlaybackClock clock;
    return clock;
}

}  // namespace voxnote
