#include "stepweave/sequencer/playback/step_timing_log.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sequencer/playback/playback_engine.h"
#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "tests/stepweave/sequencer/playback/playback_test_support.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// The recorded sounds, with a kit that holds the main thread for a while each
// time it starts a sound, as a busy machine can.
class HeldKit : public StepSounds {
public:
    HeldKit(RecordingSounds& sounds, ManualMillisecondClock& clock) : sounds_(sounds), clock_(clock) {}
    int holdMilliseconds = 0;

    void PlayKitInstrument(int instrument, int volume) override {
        clock_.Advance(static_cast<uint32_t>(holdMilliseconds));
        sounds_.PlayKitInstrument(instrument, volume);
    }
    void RestartUserSample(int sample) override { sounds_.RestartUserSample(sample); }
    void StopUserSample(int sample) override { sounds_.StopUserSample(sample); }
    void BeginStep(uint32_t time) override { sounds_.BeginStep(time); }
    void EndStep() override { sounds_.EndStep(); }

private:
    RecordingSounds& sounds_;
    ManualMillisecondClock& clock_;
};

class TimingLog : public ::testing::Test {
protected:
    std::filesystem::path folder = FreshFolder();
    ManualMainThread main;
    UserSampleTable samples;
    SequencerDocument document{folder.string(), samples};
    RecordingSounds sounds{main.clock};
    HeldKit kit{sounds, main.clock};
    StepTimingLog log{kit, main.clock};
    PlaybackEngine engine{document, log, main.idle};

    void SetUp() override {
        main.clock.Set(1000);
        engine.SetFiringObserver(&log);
        document.SetDelay(60);  // a step every 120 ms
        document.grid.UpdateTime("3", "4");
        document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [1]");
        document.grid.SetCell(PatternGrid::StepRow(1), 3, "Sample5");
        document.grid.SetCell(PatternGrid::StepRow(3), 2, "Snare     [3]");
    }
};

}  // namespace

TEST_F(TimingLog, EachStepItsTimesAndSoundsWithALatePollPlayedWhenItCame) {
    log.Open((folder / "steps.log").string());
    engine.PlayPattern();
    main.clock.Set(1125);  // the first step is polled 5 ms after it was due: it keeps its time
    main.RunUntil(1126);
    main.clock.Set(1310);  // the second comes 70 ms late: more than half a step
    main.RunUntil(1500);
    EXPECT_EQ(FileText(folder / "steps.log"),
              "# due, fired and played at (clock milliseconds), late = last sound started - played, and the sounds started\n"
              "step 1 due 1120 fired 1125 played 1120 late 5: kit 1 -500, sample 5\n"
              "step 2 due 1240 fired 1310 played 1310 late 0:\n"
              "step 3 due 1430 fired 1430 played 1430 late 0: kit 3 -1500\n");
    EXPECT_EQ(sounds.calls.size(), 3u) << "the sounds go on to the sound side as before";
}

// A step polled on time whose sounds the machine held back is as late as its
// last sound.
TEST_F(TimingLog, AStepIsAsLateAsItsLastSound) {
    log.Open((folder / "steps.log").string());
    kit.holdMilliseconds = 9;
    engine.PlayPattern();
    main.clock.Set(1121);
    main.RunUntil(1122);
    EXPECT_EQ(FileText(folder / "steps.log").substr(FileText(folder / "steps.log").find('\n') + 1),
              "step 1 due 1120 fired 1121 played 1120 late 10: kit 1 -500, sample 5\n");
}

TEST_F(TimingLog, ClosedItOnlyPassesTheSoundsOnAndAnUnwritableFileIsNamed) {
    engine.PlayPattern();
    main.RunUntil(1500);
    EXPECT_EQ(sounds.calls.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(folder / "steps.log"));
    try {
        log.Open((folder / "no such folder" / "steps.log").string());
        FAIL() << "opened a file in a missing folder";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("no such folder/steps.log"), std::string::npos) << error.what();
    }
}
