#include "voxnote/app/mididevices/setup_lists.h"

#include <gtest/gtest.h>

namespace voxnote {
namespace {

TEST(SetupLists, RowsRunFromTheLargestValueDown) {
    const auto volumes = OutputVolumeEntries();
    ASSERT_EQ(volumes.size(), 61u);
    EXPECT_EQ(volumes.front(), "60");
    EXPECT_EQ(volumes.back(), "0");
    EXPECT_EQ(OutputVolumeRow(50), 10);
    EXPECT_EQ(OutputVolumeAtRow(60), 0);

    const auto tunings = TuningEntries();
    ASSERT_EQ(tunings.size(), 21u);
    EXPECT_EQ(tunings[0], "+10");
    EXPECT_EQ(tunings[9], "+1");
    EXPECT_EQ(tunings[10], "0");
    EXPECT_EQ(tunings[20], "-10");
    EXPECT_EQ(TuningAtRow(TuningRow(-7)), -7);
    EXPECT_EQ(TuningRow(10), 0);
}

TEST(SetupLists, TheTuningMeterRunsFromMinus4ToPlus5) {
    const auto tunings = TuningEntries();
    EXPECT_EQ(tunings[TuningMeterRow(0)], "-4");
    EXPECT_EQ(tunings[TuningMeterRow(5)], "+1");
    EXPECT_EQ(tunings[TuningMeterRow(9)], "+5");
    EXPECT_EQ(TuningMeterRow(12), TuningMeterRow(9)) << "a damaged fine step stays on the list";
}

TEST(SetupLists, NotesCarryTheDrumNamesOfTheirKit) {
    const auto gm = RhythmNoteEntries(DrumKitNames::Gm);
    ASSERT_EQ(gm.size(), 128u);
    EXPECT_EQ(gm[RhythmNoteRow(127)], "G10");
    EXPECT_EQ(gm[RhythmNoteRow(0)], "C0");
    EXPECT_EQ(gm[RhythmNoteRow(35)], "B2, Acoustic Bass Drum");
    EXPECT_EQ(gm[RhythmNoteRow(74)], "D6, n/a");
    EXPECT_EQ(gm[RhythmNoteRow(81)], "A6, Open Triangle");
    EXPECT_EQ(gm[RhythmNoteRow(82)], "A#6");
    EXPECT_EQ(gm[RhythmNoteRow(87)], "D#7");

    const auto gs = RhythmNoteEntries(DrumKitNames::Gs);
    EXPECT_EQ(gs[RhythmNoteRow(26)], "D2");
    EXPECT_EQ(gs[RhythmNoteRow(27)], "D#2, High Q");
    EXPECT_EQ(gs[RhythmNoteRow(87)], "D#7, Open Surdo");
    EXPECT_EQ(gs[RhythmNoteRow(88)], "E7");
    EXPECT_EQ(DrumKitNamesOf(1), DrumKitNames::Gs);
    EXPECT_EQ(DrumKitNamesOf(0), DrumKitNames::Gm);
}

TEST(SetupLists, TheSelectionShowsThirdFromTheTopWhereTheListAllows) {
    EXPECT_EQ(TopRowShowingThird(10), 8);
    EXPECT_EQ(TopRowShowingThird(1), 0);
    EXPECT_EQ(TopRowShowingThird(0), 0);
}

}  // namespace
}  // namespace voxnote
