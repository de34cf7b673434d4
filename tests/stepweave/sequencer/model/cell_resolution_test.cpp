#include "stepweave/sequencer/model/cell_resolution.h"

#include <gtest/gtest.h>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/tempo.h"

using namespace stepweave;

TEST(InstrumentList, HoldsTheKitLabelsThenTheSamples) {
    EXPECT_EQ(InstrumentList::Label(0), "");
    EXPECT_EQ(InstrumentList::Label(1), "Kick      [ ]");
    EXPECT_EQ(InstrumentList::Label(16), "Tamb      [ ]");
    EXPECT_EQ(InstrumentList::Label(17), "Sample1");
    EXPECT_EQ(InstrumentList::Label(48), "Sample32");
    EXPECT_EQ(InstrumentList::Label(49), "");
    EXPECT_EQ(InstrumentList::Label(-1), "");
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(InstrumentList::Label(i).size(), 13u) << i;
        EXPECT_EQ(InstrumentList::IndexOf(InstrumentList::Label(i)), i);
    }
}

TEST(InstrumentList, LooksUpExactTextIgnoringLetterCase) {
    EXPECT_EQ(InstrumentList::IndexOf("sample7"), 23);
    EXPECT_EQ(InstrumentList::IndexOf("SNARE     [ ]"), 3);
    EXPECT_EQ(InstrumentList::IndexOf(""), 0);
    EXPECT_EQ(InstrumentList::IndexOf("Snare"), InstrumentList::kNotFound);
    EXPECT_EQ(InstrumentList::IndexOf("Sample33"), InstrumentList::kNotFound);
    EXPECT_EQ(InstrumentList::IndexOf("Sample7 "), InstrumentList::kNotFound);
}

TEST(CellResolution, KitCellsCarryTheirLevel) {
    const ResolvedCell kickAt3 = ResolveCell("Kick      [3]");
    EXPECT_EQ(kickAt3.sound, CellSound::KitInstrument);
    EXPECT_EQ(kickAt3.instrument, 1);
    EXPECT_EQ(kickAt3.level.Value(), 3);
    EXPECT_EQ(kickAt3.Volume(), -1500);

    const ResolvedCell blankLevel = ResolveCell("Kick      [ ]");
    EXPECT_EQ(blankLevel.instrument, 1);
    EXPECT_EQ(blankLevel.Volume(), -500);

    EXPECT_EQ(ResolveCell("Tamb      [9]").Volume(), -4500);
    EXPECT_EQ(ResolveCell("cowbell   [0]").Volume(), 0);
    EXPECT_EQ(ResolveCell("cowbell   [0]").instrument, 14);
}

TEST(CellResolution, AForeignLevelCharacterPlaysAtLevelOne) {
    const ResolvedCell cell = ResolveCell("Snare     [x]");
    EXPECT_EQ(cell.sound, CellSound::KitInstrument);
    EXPECT_EQ(cell.instrument, 3);
    EXPECT_EQ(cell.level.Value(), 1);
}

TEST(CellResolution, SamplesAndSilence) {
    const ResolvedCell sample = ResolveCell("Sample7");
    EXPECT_EQ(sample.sound, CellSound::UserSample);
    EXPECT_EQ(sample.instrument, 23);
    EXPECT_EQ(sample.UserSampleNumber(), 7);
    EXPECT_EQ(ResolveCell("SAMPLE32").UserSampleNumber(), 32);

    for (const char* silent : {"", "Cowbel", "Kick      [", "Kick      [3", "Kick      [3]x", "Sample0", "abcdefghijk"}) {
        const ResolvedCell cell = ResolveCell(silent);
        EXPECT_EQ(cell.sound, CellSound::Silent) << silent;
        EXPECT_EQ(cell.instrument, 0) << silent;
    }
}

TEST(Tempo, StepIntervalAndBpmFromDelay) {
    EXPECT_EQ(StepIntervalMilliseconds(60), 120);
    EXPECT_EQ(BpmText(60), "120");
    EXPECT_EQ(BpmText(1), "7200");
    EXPECT_EQ(StepIntervalMilliseconds(140), 280);
    EXPECT_EQ(BpmText(140), "51");
    // Halves go to the even neighbour: 112.5 -> 112, 7200/48 = 150 exactly,
    // 7200/80 = 90, 7200/32 = 225, 7200/112 = 64.28 -> 64.
    EXPECT_EQ(BeatsPerMinute(64), 112);
    EXPECT_EQ(BeatsPerMinute(48), 150);
    EXPECT_EQ(BeatsPerMinute(112), 64);
    EXPECT_EQ(BeatsPerMinute(96), 75);
    EXPECT_EQ(BeatsPerMinute(7), 1029);  // 1028.57
}
