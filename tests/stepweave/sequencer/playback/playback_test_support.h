#pragma once
// Helpers of the playback tests: a sound side that records what it was asked
// to play and when, on a clock the test moves, and a loop that runs the idle
// processing on that clock.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "stepweave/sequencer/playback/application_idle.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/playback/step_sounds.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"
#include "stepweave/sound/timing/millisecond_clock.h"
#include "stepweave/sound/timing/timer_scheduler.h"

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
            throw WaveCollectionError("Wave '" + std::string(InstrumentList::Label(instrument)) + "' not found");
        }
        calls.push_back({Time(), SoundCall::Kit, instrument, volume});
    }
    void RestartUserSample(int sample) override { calls.push_back({Time(), SoundCall::Restart, sample, 0}); }
    void StopUserSample(int sample) override { calls.push_back({Time(), SoundCall::StopSample, sample, 0}); }
    void BeginStep(uint32_t time) override { stepTime_ = time; }
    void EndStep() override { stepTime_.reset(); }

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
    // Sounds of a step carry the step's time, others the clock's.
    uint32_t Time() const { return stepTime_ ? *stepTime_ : clock_.Now(); }

    MillisecondClock& clock_;
    std::optional<uint32_t> stepTime_;
};

// The main thread's timers and their loop on a clock the test moves: the
// loop sleeps from one due time to the next, as the program's does.
struct ManualMainThread {
    ManualMillisecondClock clock;
    TimerScheduler timers{clock};
    HeadlessMainLoop loop{timers};
    ApplicationIdle idle{timers};

    // Serves the timers until the clock reads `until`.
    void RunUntil(uint32_t until) { loop.RunFor(until - clock.Now()); }
};

}  // namespace stepweave::testing
