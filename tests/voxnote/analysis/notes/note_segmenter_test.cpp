// The segmenter and the note decision over frame streams built by hand, so
// that levels, band levels, weights and pitches are exactly as chosen.
#include "voxnote/analysis/notes/note_segmenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/analysis/notes/event_queue.h"
#include "voxnote/analysis/notes/note_decision.h"

namespace voxnote {
namespace {

struct Segment {
    int frames;
    uint16_t level;
    uint16_t bandLevel;
    int16_t pitch;
    uint16_t weight;
};

class SegmenterTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(kStartUpDetectorSettings); }

    void Reset(const DetectorHeaderSettings& settings) {
        RefreshDetectorSettings(*state_, settings);
        ResetDetector(*state_, 0);
        frames_ = 0;
    }

    void Add(const Segment& segment) {
        for (int i = 0; i < segment.frames; ++i) {
            state_->frames[frames_++] = {segment.weight, segment.level, segment.bandLevel, segment.pitch};
        }
    }
    void AddSilence(int frames) { Add({frames, 0, 19, kNoPitch, 0}); }
    // A steady tone at a pitch step with a short attack.
    void AddTone(int frames, uint16_t peak, int16_t pitch) {
        Add({1, static_cast<uint16_t>(peak - 200), 400, kNoPitch, 100});
        Add({frames - 1, peak, static_cast<uint16_t>(peak - 10), pitch, 1000});
    }

    std::vector<NoteEvent> Run() {
        state_->running.frameWrite = frames_;
        state_->running.frameDecided = frames_;
        RunNoteSegmenter(*state_, frames_);
        std::vector<NoteEvent> events;
        testing::DrainInto(*state_, events);
        return events;
    }

    std::unique_ptr<DetectorState> state_ = std::make_unique<DetectorState>();
    int frames_ = 0;
};

TEST_F(SegmenterTest, SteadyToneGivesOneNoteFromItsAttackToItsRelease) {
    AddSilence(10);
    AddTone(40, 700, 460);  // note 69, fine 5
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Note(), 69);
    EXPECT_EQ(events[0].Velocity(), 110);  // (80 * 350 + 240) / 256
    // The attack frame (500) is below 700 - 150, so the note starts at frame 11.
    EXPECT_EQ(events[0].timeMs, 143u);  // 11 * 640/49
    EXPECT_EQ(events[1].Velocity(), 0);
    EXPECT_EQ(events[1].timeMs, 653u);  // frame 50
    EXPECT_EQ(CurrentNote(*state_), 69);
    EXPECT_EQ(CurrentFineStep(*state_), 5);
}

TEST_F(SegmenterTest, QuietOrShortNotesAreDropped) {
    AddSilence(10);
    AddTone(40, 440, 460);  // below the input threshold 450
    AddSilence(10);
    AddTone(4, 700, 460);  // three frames after the attack skip
    AddSilence(10);
    EXPECT_TRUE(Run().empty());
}

TEST_F(SegmenterTest, UnpitchedNotesAreDroppedUnlessInRhythmMode) {
    AddSilence(10);
    AddTone(30, 700, kNoPitch);
    AddSilence(10);
    EXPECT_TRUE(Run().empty());

    DetectorHeaderSettings rhythm = kStartUpDetectorSettings;
    rhythm.constantNote = 36;  // below the minimum note 33 + range: the range does not apply
    rhythm.minimumNote = 60;
    Reset(rhythm);
    AddSilence(10);
    AddTone(30, 700, kNoPitch);
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Note(), 36);
    EXPECT_EQ(CurrentFineStep(*state_), 5);
}

TEST_F(SegmenterTest, RhythmModeSwitchedOnDuringANoteDecidesItWithTheConstantNote) {
    AddSilence(10);
    AddTone(20, 700, kNoPitch);
    state_->running.frameWrite = frames_;
    state_->running.frameDecided = frames_;
    RunNoteSegmenter(*state_, frames_);  // the note is sounding, not yet decided
    DetectorHeaderSettings rhythm = kStartUpDetectorSettings;
    rhythm.constantNote = 42;
    RefreshDetectorSettings(*state_, rhythm);
    Add({10, 700, 690, kNoPitch, 1000});
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Note(), 42);
}

TEST_F(SegmenterTest, FixedVolumeGivesVelocity64OnBothPaths) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.fixedVolume = true;
    Reset(settings);
    AddSilence(10);
    AddTone(30, 900, 460);
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Velocity(), 64);
    EXPECT_FALSE(VelocityClipped(*state_));

    settings.constantNote = 38;
    Reset(settings);
    AddSilence(10);
    AddTone(30, 500, kNoPitch);
    AddSilence(10);
    events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Note(), 38);
    EXPECT_EQ(events[0].Velocity(), 64);
}

TEST_F(SegmenterTest, ScaleLockMovesOffScaleNotesToTheNearerNeighbour) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.scale = 0;  // C major
    struct Case {
        int16_t step;
        int note;
    };
    // Step 378: C# (61) with fine 3 -> C; step 382: fine 7 -> D; step 388: D stays.
    for (Case c : {Case{378, 60}, Case{382, 62}, Case{388, 62}, Case{365, 60}}) {
        Reset(settings);
        AddSilence(10);
        AddTone(30, 700, c.step);
        AddSilence(10);
        std::vector<NoteEvent> events = Run();
        ASSERT_EQ(events.size(), 2u) << c.step;
        EXPECT_EQ(events[0].Note(), c.note) << c.step;
    }
}

TEST_F(SegmenterTest, TranspositionAppliesAfterTheRangeAndDropsNotesLeavingMidi) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.transposition = 12;
    Reset(settings);
    AddSilence(10);
    AddTone(30, 700, 780);  // note 101, the maximum note
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Note(), 113);

    settings.transposition = 30;
    Reset(settings);
    AddSilence(10);
    AddTone(30, 700, 780);
    AddSilence(10);
    EXPECT_TRUE(Run().empty());

    settings.transposition = 0;
    settings.maximumNote = 100;
    Reset(settings);
    AddSilence(10);
    AddTone(30, 700, 780);
    AddSilence(10);
    EXPECT_TRUE(Run().empty());
}

TEST_F(SegmenterTest, LongNoteIsDecidedWhileItSounds) {
    AddSilence(10);
    AddTone(230, 700, 460);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Velocity(), 110);
    EXPECT_EQ(state_->running.segmenter.earlyDecision, 1);
    // The note-off follows normally, without a second note-on.
    CompactFrameStream(*state_);
    frames_ = state_->running.frameWrite;
    Add({20, 700, 690, 460, 1000});
    AddSilence(5);
    events = Run();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Velocity(), 0);
    EXPECT_EQ(events[0].timeMs, 3395u);  // frame 260, the first quiet one
}

TEST_F(SegmenterTest, ReattackEndsTheNoteAtTheDipAndStartsTheNext) {
    AddSilence(10);
    AddTone(20, 700, 460);
    Add({3, 600, 300, 460, 1000});  // the band level dips while the level holds
    Add({20, 700, 690, 500, 1000});  // and the level rises 80 above the dip
    AddSilence(10);
    std::vector<NoteEvent> events = Run();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Note(), 69);
    EXPECT_EQ(events[1].Velocity(), 0);
    EXPECT_EQ(events[1].timeMs, 391u);  // frame 30, the dip
    EXPECT_EQ(events[2].Note(), 73);
    EXPECT_GE(events[2].timeMs, events[1].timeMs);
}

TEST(NoteDecision, VelocityFromThePeak) {
    EXPECT_EQ(VelocityFromPeak(350 + 406, 350).value, 127);  // x = 32720
    EXPECT_FALSE(VelocityFromPeak(350 + 406, 350).clipped);
    EXPECT_EQ(VelocityFromPeak(350 + 405, 350).value, 127);  // x = 32640
    EXPECT_EQ(VelocityFromPeak(350 + 407, 350).value, 127);  // x = 32800
    EXPECT_TRUE(VelocityFromPeak(350 + 407, 350).clipped);
    EXPECT_EQ(VelocityFromPeak(351, 350).value, 1);
    EXPECT_EQ(VelocityFromPeak(350, 350).value, 0);
    EXPECT_EQ(VelocityFromPeak(200, 350).value, 0);
}

TEST(NoteDecision, StepsToNotesAndScaleLock) {
    EXPECT_EQ(StepToNote(460, 0).note, 69);
    EXPECT_EQ(StepToNote(460, 0).fine, 5);
    EXPECT_EQ(StepToNote(459, 0).fine, 4);
    EXPECT_EQ(StepToNote(460, 6).note, 68);
    for (int scale = 0; scale < 12; ++scale) {
        for (int note = 24; note < 110; ++note) {
            int degree = (note - scale + 120) % 12;
            bool inScale = degree == 0 || degree == 2 || degree == 4 || degree == 5 || degree == 7 ||
                           degree == 9 || degree == 11;
            for (int fine : {0, 4, 5, 9}) {
                int locked = LockToScale(note, fine, scale);
                if (inScale) {
                    EXPECT_EQ(locked, note);
                } else {
                    EXPECT_EQ(locked, fine < 5 ? note - 1 : note + 1);
                }
            }
        }
    }
}

// The range is checked on the heard note, before the transposition moves it.
TEST(NoteDecision, RangeComesBeforeTransposition) {
    EXPECT_EQ(RangedTransposedNote(80, 40, 80, 5), 85);
    EXPECT_EQ(RangedTransposedNote(81, 40, 80, -5), std::nullopt);
    EXPECT_EQ(RangedTransposedNote(40, 40, 80, -40), 0);
    EXPECT_EQ(RangedTransposedNote(40, 40, 80, -41), std::nullopt);
    EXPECT_EQ(RangedTransposedNote(100, 24, 101, 27), 127);
    EXPECT_EQ(RangedTransposedNote(101, 24, 101, 27), std::nullopt);
}

TEST(NoteDecision, WeightedMedianOfTheBestWindow) {
    std::vector<uint32_t> histogram(kPitchBins, 0);
    // The best window is the lowest one holding both bins (451..460); the median
    // is the first bin that reaches half of it.
    histogram[459] = 99;
    histogram[460] = 101;
    EXPECT_EQ(HistogramMedianBin(histogram.data()), 460);
    histogram[459] = 101;
    EXPECT_EQ(HistogramMedianBin(histogram.data()), 459);
    histogram[459] = 101;
    histogram[460] = 101;
    EXPECT_EQ(HistogramMedianBin(histogram.data()), 459);
    histogram[200] = 150;  // a stronger single bin elsewhere loses to the window sum
    EXPECT_EQ(HistogramMedianBin(histogram.data()), 459);
    histogram[200] = 300;
    EXPECT_EQ(HistogramMedianBin(histogram.data()), 200);
}

TEST(EventQueue, OverflowClearsTheOkFlagUntilDrained) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    for (int i = 0; i < 682; ++i) EmitEvent(*state, 60, static_cast<uint8_t>(i % 2 ? 0 : 100), 1);
    EXPECT_EQ(OkFlag(*state), 1);
    EmitEvent(*state, 61, 100, 1);
    EXPECT_EQ(OkFlag(*state), 0);
    std::vector<NoteEvent> events;
    testing::DrainInto(*state, events);
    ASSERT_EQ(events.size(), 682u);
    EXPECT_EQ(events.back().Note(), 60);
    // The clock went on through the dropped event.
    EmitEvent(*state, 62, 100, 1);
    testing::DrainInto(*state, events);
    ASSERT_EQ(events.size(), 683u);
    EXPECT_EQ(events.back().timeMs, 8933u);  // 684 frames
}

TEST(EventQueue, TimesNeverGoBackwards) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    EmitEvent(*state, 60, 100, 3);
    EmitEvent(*state, 60, 0, 0);
    EmitEvent(*state, 61, 100, -2);
    EmitEvent(*state, 61, 0, 1);
    std::vector<NoteEvent> events;
    testing::DrainInto(*state, events);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].timeMs, 39u);
    EXPECT_EQ(events[1].timeMs, 39u);
    EXPECT_EQ(events[2].timeMs, 39u);
    EXPECT_EQ(events[3].timeMs, 52u);
    for (size_t i = 0; i + 2 < events.size(); i += 2) {
        EXPECT_EQ(events[i].message, NoteOnMessage(events[i].Note(), events[i].Velocity()));
    }
}

}  // namespace
}  // namespace voxnote
