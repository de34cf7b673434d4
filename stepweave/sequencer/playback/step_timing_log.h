#pragma once
// A log of every step that playback fires, for finding out why playback
// stumbles on a busy machine: when each step was due, when the main thread
// came to play it, the time its sounds are stamped with (they sound at that
// time plus the output's latency), and the sounds it started. One line a
// step, written as the steps play:
//
//   step 12 due 5120 fired 5121 played 5120 late 1: kit 1 0, kit 4 -400, sample 3
//
// Times are the millisecond clock's. "late" is how long after their stamp
// the step's last sound was started (for a silent step, how late it was
// polled): a step's sounds land on their exact sample only while that stays
// well under the output's latency. A busy machine can hold the main thread
// between the poll and the sounds, so the poll alone does not tell. A step
// polled more than half a step late is played at the poll's time (played =
// fired), not made up. "kit N V" is kit instrument N at volume V, "sample N" a user sample
// started from its beginning, "stop N" one stopped.
//
// It always sits between playback and the sounds and is told of each firing
// by the step clocks, but writes nothing until it is opened: the program
// opens it when the environment variable STEPWEAVE_TIMING_LOG names a file.
//
// Main thread only.
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

#include "stepweave/sequencer/playback/step_clock.h"
#include "stepweave/sequencer/playback/step_sounds.h"
#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

inline constexpr const char* kTimingLogVariable = "STEPWEAVE_TIMING_LOG";

// The file STEPWEAVE_TIMING_LOG names, when it is set and not empty.
std::optional<std::string> TimingLogPathFromEnvironment();

class StepTimingLog : public StepSounds, public StepFiringObserver {
public:
    // `clock` is the one the steps are stamped on.
    StepTimingLog(StepSounds& sounds, MillisecondClock& clock) : sounds_(sounds), clock_(clock) {}
    ~StepTimingLog() override;
    StepTimingLog(const StepTimingLog&) = delete;
    StepTimingLog& operator=(const StepTimingLog&) = delete;

    // Creates (or empties) the file and logs into it from now on;
    // std::runtime_error naming the file when it cannot be written.
    void Open(const std::string& path);
    bool IsOpen() const { return file_.is_open(); }

    void Fired(uint32_t due, uint32_t polled, uint32_t countsAs) override;

    void PlayKitInstrument(int instrument, int volume) override;
    void RestartUserSample(int sample) override;
    void StopUserSample(int sample) override;
    void BeginStep(uint32_t time) override;
    void EndStep() override;

private:
    void AddSound(const std::string& sound);
    void WritePendingStep();

    // The fired step, until its sounds are known.
    struct PendingStep {
        uint32_t due = 0, polled = 0, countsAs = 0;
        uint32_t lastStarted = 0;  // when its last sound was started, or the poll
        std::string sounds;
    };

    std::ofstream file_;
    StepSounds& sounds_;
    MillisecondClock& clock_;
    int steps_ = 0;
    bool inStep_ = false;
    std::optional<PendingStep> pending_;
};

}  // namespace stepweave
