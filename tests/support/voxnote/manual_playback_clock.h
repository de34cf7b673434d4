#pragma once
// A playback clock that moves only when told to, for tests of the players.
//
// Left alone it runs free: a sleeper whose time is not there yet makes the
// clock jump to its due time at once, so a whole stream plays instantly and
// every message is stamped with exactly the time it was due. A hold stops
// the jump: sleepers due after the hold wait until the test moves the clock
// (Set, Advance) or lifts the hold, and WaitForSleeper tells the test that
// the player has done everything up to the hold and is now waiting.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "voxnote/app/midi/playback_clock.h"

namespace voxnote {

class ManualPlaybackClock : public PlaybackClock {
public:
    uint32_t Now() override;
    bool SleepUntil(uint32_t due, std::stop_token stop) override;

    void Set(uint32_t now);
    void Advance(uint32_t milliseconds);
    void HoldAt(uint32_t limit);
    void Release();

    // Blocks until some thread waits in SleepUntil for a time that neither
    // the clock nor the hold lets it reach. False if
    // none does within ten seconds (a guard against a hanging test, not a
    // measurement).
    bool WaitForSleeper();

private:
    bool MayJumpTo(uint32_t due) const;
    bool MustWait(uint32_t due) const;

    std::mutex mutex_;
    std::condition_variable_any changed_;
    uint32_t now_ = 0;
    std::optional<uint32_t> hold_;
    std::vector<uint32_t> sleepersDue_;  // due times of the threads waiting now
};

}  // namespace voxnote
