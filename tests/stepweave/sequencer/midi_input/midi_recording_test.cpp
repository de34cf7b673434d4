// "Record from MIDI": which step a hit goes on, when, and into which channel.
#include "stepweave/sequencer/midi_input/midi_recording.h"

#include <gtest/gtest.h>

using namespace stepweave;

namespace {

// Step 2 (grid row 3) of four fired at 1000 and was heard at 1020; steps last 120 ms.
constexpr PatternTiming kAtStepTwo{4, 3, 1000, 120, 20};

LiveHit Struck(uint32_t at, int slot = 3, int level = 4) {
    LiveHit hit;
    hit.slot = static_cast<uint8_t>(slot);
    hit.level = static_cast<uint8_t>(level);
    hit.receivedAt = at;
    return hit;
}

}  // namespace

TEST(MidiRecording, AHitGoesOnTheNearestStepAsHeardAndWaitsWhenThatStepIsStillToPlay) {
    MidiRecording recording;
    // 50 ms after step 2 was heard: step 2, which has played; placed now.
    auto now = recording.Add(Struck(1070), kAtStepTwo);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->row, 3);
    EXPECT_EQ(now->slot, 3);
    EXPECT_EQ(now->level, 4);
    // 130 ms before: step 1.
    now = recording.Add(Struck(890), kAtStepTwo);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->row, 2);
    // 70 ms after: nearer step 3, which is still to play: it waits for it.
    EXPECT_FALSE(recording.Add(Struck(1090, 1, 2), kAtStepTwo));
    EXPECT_TRUE(recording.StepPlayed(3).empty());
    const std::vector<RecordedHit> due = recording.StepPlayed(4);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].row, 4);
    EXPECT_EQ(due[0].slot, 1);
    EXPECT_FALSE(recording.Waiting());

    // Just before the first step of the next pass, and before the very first step.
    EXPECT_FALSE(recording.Add(Struck(1400), PatternTiming{4, 5, 1300, 120, 20}));
    EXPECT_FALSE(recording.Add(Struck(10), PatternTiming{4, -1, 0, 120, 20}));
    const std::vector<RecordedHit> left = recording.TakeWaiting();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].row, 2);
    EXPECT_EQ(left[1].row, 2);
    EXPECT_FALSE(recording.Waiting());
}

TEST(MidiRecording, AHitTakesTheChannelHoldingItsInstrumentElseTheFirstFreeOneAndAFullRowStays) {
    PatternGrid grid;
    grid.SetCell(2, 1, "Kick      [3]");
    grid.SetCell(2, 3, "Snare     [ ]");
    EXPECT_EQ(PlaceRecordedHit(grid, {2, 3, 7}), (GridCell{2, 3}));
    EXPECT_EQ(grid.Cell(2, 3), "Snare     [7]");
    EXPECT_EQ(PlaceRecordedHit(grid, {2, 4, 2}), (GridCell{2, 2}));
    EXPECT_EQ(grid.Cell(2, 2), "ClsHiat   [2]");
    EXPECT_EQ(grid.Cell(2, 1), "Kick      [3]");

    for (int column = 1; column <= 6; ++column) grid.SetCell(5, column, "Sample" + std::to_string(column));
    EXPECT_FALSE(PlaceRecordedHit(grid, {5, 1, 1}));
    EXPECT_EQ(grid.Cell(5, 1), "Sample1");
}
