#include "stepweave/sequencer/playback/playback_engine.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/playback/playback_test_support.h"
#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// A kit cell at a level: "Kick      [3]".
std::string KitCell(int instrument, int level) {
    std::string label(InstrumentList::Label(instrument));
    label[11] = static_cast<char>('0' + level);
    return label;
}

class Playback : public ::testing::Test {
protected:
    std::filesystem::path folder = FreshFolder();
    ManualMainThread main;
    ManualMillisecondClock& clock = main.clock;
    ApplicationIdle& idle = main.idle;
    UserSampleTable samples;
    SequencerDocument document{folder.string(), samples};
    RecordingSounds sounds{clock};
    PlaybackEngine engine{document, sounds, idle};

    void SetUp() override { clock.Set(1000); }

    void Run(uint32_t milliseconds) { main.RunUntil(clock.Now() + milliseconds); }

    // Fills the grid with `length` steps; step s plays kit instrument
    // ((s - 1) % 16) + 1 at level 1 on channel 1, so the rows can be told apart.
    void NumberedPattern(int length) {
        document.grid.UpdateTime(std::to_string(length), "4");
        for (int step = 1; step <= length; ++step) {
            document.grid.SetCell(PatternGrid::StepRow(step), 1, KitCell((step - 1) % 16 + 1, 1));
        }
    }

    // Stores the grid as a pattern of that name with a tempo and repeat count.
    void Store(const std::string& name, int delay, int loop) {
        document.SetPatternName(name);
        document.SetDelay(delay);
        document.SetLoop(loop);
        ScriptedPrompt prompt;
        StorePattern(document, prompt);
    }

    std::vector<int> KitInstrumentsPlayed() const {
        std::vector<int> played;
        for (const auto& call : sounds.Of(SoundCall::Kit)) {
            played.push_back(call.number);
        }
        return played;
    }
};

std::vector<uint32_t> Every(uint32_t first, uint32_t interval, int count) {
    std::vector<uint32_t> times;
    for (int i = 0; i < count; ++i) {
        times.push_back(first + interval * static_cast<uint32_t>(i));
    }
    return times;
}

}  // namespace

TEST_F(Playback, StepIntervalAndBpmFollowTheDelaySlider) {
    struct Case {
        int delay;
        int interval;
        const char* bpm;
    };
    for (const Case& c : {Case{60, 120, "120"}, Case{1, 2, "7200"}, Case{140, 280, "51"}, Case{64, 128, "112"}}) {
        engine.SetDelayByHand(c.delay);
        EXPECT_EQ(engine.StepInterval(), c.interval) << c.delay;
        EXPECT_EQ(engine.BpmLabel(), c.bpm) << c.delay;
    }
}

TEST_F(Playback, PlayPatternPlaysEachRowOnceThenStops) {
    NumberedPattern(16);
    engine.PlayPattern();
    EXPECT_FALSE(engine.PlayPatternEnabled());
    EXPECT_FALSE(engine.PlaySongEnabled());
    Run(5000);

    std::vector<int> expected;
    for (int instrument = 1; instrument <= 16; ++instrument) {
        expected.push_back(instrument);
    }
    EXPECT_EQ(KitInstrumentsPlayed(), expected) << "rows 2..17, in order";
    EXPECT_EQ(sounds.Times(), Every(1120, 120, 16)) << "one step every 2 x Delay ms, the first one step after the start";
    EXPECT_EQ(sounds.calls[0].volume, -500);
    EXPECT_FALSE(engine.Playing());
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_TRUE(engine.PlaySongEnabled());
}

TEST_F(Playback, EveryChannelOfAStepSoundsAtItsLevel) {
    NumberedPattern(1);
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "");
    document.grid.SetCell(PatternGrid::StepRow(1), 2, KitCell(3, 9));
    document.grid.SetCell(PatternGrid::StepRow(1), 4, "Sample5");
    document.grid.SetCell(PatternGrid::StepRow(1), 6, "Snare     [ ]");
    document.grid.SetCell(PatternGrid::StepRow(1), 5, "not an instrument");
    engine.PlayPattern();
    Run(200);
    EXPECT_EQ(sounds.calls, (std::vector<SoundCall>{{1120, SoundCall::Kit, 3, -4500},
                                                   {1120, SoundCall::Restart, 5, 0},
                                                   {1120, SoundCall::Kit, 3, -500}}));
}

TEST_F(Playback, EndlessPatternGoesOnUntilTheBoxIsUnchecked) {
    NumberedPattern(4);
    engine.SetPatternRepeat(true);
    engine.PlayPattern();
    Run(120 * 10);
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2}));
    EXPECT_TRUE(engine.PlayingPattern());

    engine.SetPatternRepeat(false);  // read when the end is reached: this pass finishes
    Run(120 * 10);
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4}));
    EXPECT_FALSE(engine.Playing());
}

TEST_F(Playback, PatternTempoAndCellChangesAreHeardFromTheNextStep) {
    NumberedPattern(4);
    engine.PlayPattern();
    Run(130);  // step 1 played at 1120
    engine.SetDelayByHand(30);
    document.grid.SetCell(PatternGrid::StepRow(3), 1, KitCell(9, 1));
    Run(1000);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{1120, 1240, 1300, 1360}))
        << "step 2 was already due at the old interval; then 60 ms steps";
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 2, 9, 4}));
}

TEST_F(Playback, AMissingKitSoundIsSkippedAndPlaybackGoesOn) {
    NumberedPattern(3);
    document.grid.SetCell(PatternGrid::StepRow(2), 2, KitCell(5, 1));
    sounds.missingInstruments = {2};
    engine.PlayPattern();
    Run(1000);
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 5, 3}));
    EXPECT_FALSE(engine.Playing());
}

TEST_F(Playback, SoundsRepeatedOnConsecutiveStepsAreEachStarted) {
    document.grid.UpdateTime("2", "4");
    for (int step = 1; step <= 2; ++step) {
        document.grid.SetCell(PatternGrid::StepRow(step), 1, "Kick      [ ]");
        document.grid.SetCell(PatternGrid::StepRow(step), 2, "Sample3");
    }
    engine.PlayPattern();
    Run(1000);
    EXPECT_EQ(sounds.calls, (std::vector<SoundCall>{{1120, SoundCall::Kit, 1, -500},
                                                   {1120, SoundCall::Restart, 3, 0},
                                                   {1240, SoundCall::Kit, 1, -500},
                                                   {1240, SoundCall::Restart, 3, 0}}));
}

TEST_F(Playback, AHeaderLengthThatIsNoNumberFailsWithTheButtonsEnabled) {
    document.grid.SetCell(PatternGrid::kHeaderRow, PatternGrid::kLengthColumn, "x");
    EXPECT_THROW(engine.PlayPattern(), IntegerTextError);
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_FALSE(engine.Playing());
}

TEST_F(Playback, DeactivationPausesAndResumesOneIntervalLater) {
    NumberedPattern(4);
    engine.PlayPattern();
    Run(250);  // steps 1 and 2
    idle.SetActive(false);
    Run(5000);
    EXPECT_EQ(sounds.calls.size(), 2u);
    idle.SetActive(true);
    const uint32_t resumed = clock.Now();
    Run(1000);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{1120, 1240, resumed + 120, resumed + 240}));
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(Playback, StopSilencesTheFirstSixteenSamplesAndEndsPlayback) {
    NumberedPattern(16);
    engine.PlayPattern();
    Run(300);
    sounds.calls.clear();
    engine.Stop();
    ASSERT_EQ(sounds.calls.size(), 16u);
    for (int sample = 1; sample <= 16; ++sample) {
        EXPECT_EQ(sounds.calls[sample - 1].kind, SoundCall::StopSample);
        EXPECT_EQ(sounds.calls[sample - 1].number, sample);
    }
    EXPECT_FALSE(engine.Playing());
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_TRUE(engine.PlaySongEnabled());
    Run(3000);
    EXPECT_EQ(sounds.calls.size(), 16u);
}

// Song playback

TEST_F(Playback, PlaySongWithAnEmptyPlayListPlaysNothing) {
    engine.PlaySong();
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_TRUE(engine.PlaySongEnabled());
    EXPECT_FALSE(engine.Playing());
    Run(5000);
    EXPECT_TRUE(sounds.calls.empty());
}

TEST_F(Playback, ASongPlaysEachPatternAtItsTempoAndRepeatCount) {
    NumberedPattern(2);
    Store("First", 50, 2);
    NumberedPattern(3);
    document.grid.SetCell(PatternGrid::StepRow(1), 1, KitCell(10, 4));
    Store("Second", 30, 1);
    NumberedPattern(1);  // the editor holds something else when the song starts
    document.SetDelay(60);

    engine.PlaySong();
    EXPECT_EQ(document.grid.Name(), "Second") << "the editor holds the last pattern compiled";
    EXPECT_EQ(document.PatternNameField(), "Second");
    EXPECT_EQ(document.grid.Cell(PatternGrid::StepRow(1), 1), KitCell(10, 4));
    EXPECT_EQ(document.Delay(), 30);
    EXPECT_EQ(document.Loop(), 1);
    EXPECT_EQ(engine.Song().Lines().front(), "//");
    EXPECT_EQ(engine.Song().Lines().back(), "%%%");
    EXPECT_FALSE(engine.PlaySongEnabled());

    Run(10000);
    // The clock starts with the interval of one second; each tempo marker
    // sets the interval for the steps after it.
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{2000, 2100, 2200, 2300, 2400, 2460, 2520}));
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{1, 2, 1, 2, 10, 2, 3}));
    EXPECT_EQ(sounds.calls[4].volume, -2000);
    EXPECT_FALSE(engine.Playing());
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_TRUE(engine.PlaySongEnabled());
    EXPECT_TRUE(engine.Song().Lines().empty());
    EXPECT_EQ(document.playList.SelectedIndex(), 0);
    EXPECT_EQ(document.Delay(), 30) << "the slider shows the last tempo played";
}

TEST_F(Playback, ASecondSongStartsAtTheIntervalTheFirstEndedWith) {
    NumberedPattern(1);
    Store("Only", 40, 1);
    engine.PlaySong();
    Run(3000);
    sounds.calls.clear();
    engine.PlaySong();
    Run(3000);
    EXPECT_EQ(sounds.Times(), std::vector<uint32_t>{clock.Now() - 3000 + 80});
}

TEST_F(Playback, GlobalTempoOverridesEveryPatternsOwn) {
    NumberedPattern(2);
    Store("First", 50, 1);
    Store("Second", 30, 1);
    engine.SetDelayByHand(20);
    engine.SetUsesGlobalTempo(true);
    engine.PlaySong();
    EXPECT_EQ(document.Delay(), 20);
    Run(5000);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{2000, 2040, 2080, 2120}));
    EXPECT_EQ(document.Delay(), 20);
    EXPECT_EQ(engine.GlobalTempoValue(), 20);
}

TEST_F(Playback, MovingTheSliderDuringAGlobalSongChangesTheTempoAtOnce) {
    NumberedPattern(8);
    Store("Long", 50, 1);
    engine.SetDelayByHand(50);
    engine.SetUsesGlobalTempo(true);
    engine.PlaySong();
    Run(1150);  // steps at 2000 and 2100
    engine.SetDelayByHand(25);
    Run(5000);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{2000, 2100, 2150, 2200, 2250, 2300, 2350, 2400}));
}

TEST_F(Playback, WithoutGlobalTheSliderDoesNotTouchAPlayingSong) {
    NumberedPattern(3);
    Store("Own", 50, 1);
    engine.PlaySong();
    Run(1050);
    engine.SetDelayByHand(10);
    EXPECT_EQ(engine.GlobalTempoValue(), 10);
    Run(5000);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{2000, 2100, 2200}));
}

TEST_F(Playback, ATempoSetFromAFileIsNotTheGlobalTempo) {
    NumberedPattern(1);
    Store("Slow", 90, 1);
    engine.SetDelayByHand(35);
    engine.PlaySong();
    EXPECT_EQ(document.Delay(), 90);
    EXPECT_EQ(engine.GlobalTempoValue(), 35);
}

TEST_F(Playback, ARepeatingSongStartsAgainAtItsFirstTempoMarker) {
    NumberedPattern(2);
    Store("A", 50, 1);
    NumberedPattern(1);
    Store("B", 25, 1);
    engine.SetSongRepeat(true);
    engine.PlaySong();
    Run(1460);
    EXPECT_EQ(sounds.Times(), (std::vector<uint32_t>{2000, 2100, 2200, 2250, 2350, 2450}))
        << "the song ends after the last step of B; the next firing, one B step later, starts A again";
    EXPECT_TRUE(engine.PlayingSong());

    engine.SetSongRepeat(false);
    Run(1000);
    EXPECT_EQ(sounds.calls.size(), 9u) << "the pass that was playing finishes";
    EXPECT_FALSE(engine.Playing());
}

TEST_F(Playback, PlaySongStartsFromTheSelectedEntry) {
    NumberedPattern(1);
    Store("A", 50, 1);
    document.grid.SetCell(PatternGrid::StepRow(1), 1, KitCell(7, 1));
    Store("B", 50, 1);
    document.playList.Append("A");
    document.playList.Select(1);
    engine.PlaySong();
    EXPECT_EQ(document.playList.SelectedIndex(), 0) << "the entry before the start";
    Run(3000);
    EXPECT_EQ(KitInstrumentsPlayed(), (std::vector<int>{7, 1}));
}

TEST_F(Playback, AMissingPatternStopsPlaySongWithItsMessage) {
    NumberedPattern(1);
    Store("Here", 50, 1);
    document.playList.Append("Gone");
    document.SetDelay(77);
    EXPECT_THROW(engine.PlaySong(), FileOpenError);
    EXPECT_FALSE(engine.Playing());
    EXPECT_TRUE(engine.PlayPatternEnabled());
    EXPECT_TRUE(engine.PlaySongEnabled());
    EXPECT_EQ(document.Delay(), 77) << "the editor is left as it was";
}

TEST_F(Playback, ClearListEndsSongPlayback) {
    NumberedPattern(4);
    Store("Verse", 50, 1);
    document.songTitle = "Demo";
    engine.PlaySong();
    Run(1100);
    engine.ClearList();
    EXPECT_TRUE(document.playList.Empty());
    EXPECT_TRUE(document.songTitle.empty());
    EXPECT_FALSE(engine.Playing());
    EXPECT_TRUE(engine.PlaySongEnabled());
    EXPECT_TRUE(engine.Song().Lines().empty());
    const size_t played = sounds.calls.size();
    Run(2000);
    EXPECT_EQ(sounds.calls.size(), played);
}

TEST_F(Playback, StartingOnePlaybackEndsTheOther) {
    NumberedPattern(4);
    Store("Verse", 50, 1);
    engine.PlaySong();
    engine.PlayPattern();
    EXPECT_TRUE(engine.PlayingPattern());
    EXPECT_FALSE(engine.PlayingSong());
    EXPECT_TRUE(engine.Song().Lines().empty());

    engine.PlaySong();
    EXPECT_TRUE(engine.PlayingSong());
    EXPECT_FALSE(engine.PlayingPattern());
}

TEST_F(Playback, TheWindowHearsOfTempoChangesAndTheEnd) {
    NumberedPattern(1);
    Store("A", 50, 1);
    int changes = 0;
    engine.OnDisplayChanged = [&] { ++changes; };
    engine.PlaySong();
    Run(3000);
    EXPECT_EQ(changes, 2) << "one tempo marker, one end";
}
