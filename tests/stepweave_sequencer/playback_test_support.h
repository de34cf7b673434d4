#pragma once
// Helpers of the playback tests: a sound side that records what it was asked
// to play and when, on a clock the test moves, and a loop that runs the idle
// processing on that clock.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "stepweave/sequencer/application_idle.h"
#include "stepweave/sequencer/instrument_list.h"
#include "stepweave/sequencer/step_sounds.h"
#include "stepweave/sound/errors.h"
#include "stepweave/sound/millisecond_clock.h"

namespace stepweave::testing {

struct SoundCall {
    enum Kind { Kit, Restart, StopSample };
    uint32_t time;
    Kind kind;
    int number;  // kit instrument or user sample
    int volume;  // kit instruments only
    bool operator==(const SoundCall&) const = default;
};

class RecordingSounds : public StepSounds {
public:
    explicit RecordingSounds(MillisecondClock& clock) : clock_(clock) {}

    void PlayKitInstrument(int instrument, int volume) override {
        if (missingInstruments.count(instrument) != 0) {
            throw EWaveCollectionError("Wave '" + std::string(InstrumentList::Label(instrument)) + "' not found");
        }
        calls.push_back({clock_.Now(), SoundCall::Kit, instrument, volume});
    }
    void RestartUserSample(int sample) override { calls.push_back({clock_.Now(), SoundCall::Restart, sample, 0}); }
    void StopUserSample(int sample) override { calls.push_back({clock_.Now(), SoundCall::StopSample, sample, 0}); }

    std::vector<SoundCall> Of(SoundCall::Kind kind) const {
        std::vector<SoundCall> found;
        for (const auto& call : calls) {
            if (call.kind == kind) {
                found.push_back(call);
            }
        }
        return found;
    }
    std::vector<uint32_t> Times() const {
        std::vector<uint32_t> times;
        for (const auto& call : calls) {
            times.push_back(call.time);
        }
        return times;
    }

    std::vector<SoundCall> calls;
    std::set<int> missingInstruments;  // kit instruments the "kit" lacks

private:
    MillisecondClock& clock_;
};

// Runs the idle processing as the program's loop does, sleeping on the clock
// from one due time to the next, until the clock reads `until`.
inline void RunIdleUntil(ApplicationIdle& idle, ManualMillisecondClock& clock, uint32_t until) {
    for (;;) {
        const auto due = idle.NextDue();
        if (!due || static_cast<int32_t>(*due - until) > 0) {
            clock.Set(until);
            return;
        }
        clock.SleepUntil(*due);
        idle.RunIdle();
    }
}

}  // namespace stepweave::testing
