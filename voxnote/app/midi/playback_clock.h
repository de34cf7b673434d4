#pragma once
// The millisecond clock that MIDI playback and live note output run on.
// Times are 32-bit milliseconds that wrap like a counter; "due" compares by
// the signed difference, so a wrap in the middle of a run does no harm.
// The player threads sleep on it between events; tests replace it with a
// clock they move by hand.
#include <cstdint>
#include <stop_token>

#include "voxnote/analysis/capture/millisecond_clock.h"

namespace voxnote {

// True once `now` has reached `due`.
constexpr bool HasReached(uint32_t now, uint32_t due) {
    return static_cast<int32_t>(now - due) >= 0;
}

// The live capture's millisecond clock, which players can also sleep on.
class PlaybackClock : public MillisecondClock {
public:
    // Blocks the calling thread until Now() has reached `due`, without
    // spinning. False when `stop` was requested first.
    virtual bool SleepUntil(uint32_t due, std::stop_token stop) = 0;
};

// The monotonic system clock: milliseconds of std::chrono::steady_clock
// since its epoch, truncated to 32 bits. The live capture stamps its events
// with the same reading, so the two agree on what "now" is.
class SteadyPlaybackClock : public PlaybackClock {
public:
    uint32_t Now() override;
    bool SleepUntil(uint32_t due, std::stop_token stop) override;
};

// The clock every player uses unless it is given another.
PlaybackClock& SystemPlaybackClock();

}  // namespace voxnote
