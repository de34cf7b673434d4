#include "stepweave/sequencer/model/pattern_grid.h"

#include <gtest/gtest.h>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sequencer/model/time_bar.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

TEST(PatternGrid, StartsWithSixteenStepsInFourBeats) {
    const PatternGrid grid;
    EXPECT_EQ(grid.RowCount(), 18);
    EXPECT_EQ(grid.Length(), 16);
    const std::vector<std::string> header{"", "Length:", "16", "Time:", "4", "", ""};
    for (int column = 0; column < PatternGrid::kColumns; ++column) {
        EXPECT_EQ(grid.Cell(0, column), header[column]);
    }
    EXPECT_EQ(grid.Cell(1, 0), "");
    EXPECT_EQ(grid.Cell(1, 1), "Channel:1");
    EXPECT_EQ(grid.Cell(1, 6), "Channel:6");
    EXPECT_EQ(grid.Cell(2, 0), "1:0*");
    EXPECT_EQ(grid.Cell(3, 0), "2:1");
    EXPECT_EQ(grid.Cell(6, 0), "5:0*");
    EXPECT_EQ(grid.Cell(17, 0), "16:3");
    EXPECT_EQ(grid.Cell(18, 0), "") << "the trailing row has no label at start";
    EXPECT_EQ(grid.StepCell(1, 1), "");
}

TEST(PatternGrid, CellsOutsideTheKeptRowsAreRefused) {
    PatternGrid grid;
    EXPECT_EQ(PatternGrid::StepRow(64), 65);
    grid.SetCell(66, 6, "Tamb      [ ]");  // the trailing row of a 64-step pattern
    EXPECT_EQ(grid.Cell(66, 6), "Tamb      [ ]");
    EXPECT_THROW(grid.SetCell(67, 0, "x"), std::out_of_range);
    EXPECT_THROW(grid.Cell(0, 7), std::out_of_range);
    EXPECT_THROW(grid.SetRowCount(67), std::out_of_range);
    EXPECT_THROW(grid.SetRowCount(2), std::out_of_range);
}

TEST(PatternGrid, StepLabelsMarkTheFirstStepOfEachBeat) {
    EXPECT_EQ(StepLabel(1, 4), "1:0*");
    EXPECT_EQ(StepLabel(4, 4), "4:3");
    EXPECT_EQ(StepLabel(5, 4), "5:0*");
    EXPECT_EQ(StepLabel(7, 1), "7:0*");
    EXPECT_EQ(StepLabel(7, 7), "7:6");
    EXPECT_EQ(StepLabel(3, 1000), "3:2");
}

TEST(TimeBar, ItemsSplitIntoLengthAndBeat) {
    const auto expect = [](std::string_view item, const char* length, const char* beat) {
        const TimeBarFields fields = SplitTimeBarItem(item);
        EXPECT_EQ(fields.length, length) << item;
        EXPECT_EQ(fields.beat, beat) << item;
    };
    expect("16 | 4", "16", "4");
    expect("4  | 2 ", "4", "2");
    expect("64 | 32", "64", "32");
    expect("32 | 8 ", "32", "8");
    expect("16 | 16", "16", "16");
    expect("7  | 7", "7", "7");
    expect("5", "5", "");
    expect("", "", "");
    expect("12 | ", "12", "");
    for (const auto item : kTimeBarChoices) {
        const TimeBarFields fields = SplitTimeBarItem(item);
        EXPECT_FALSE(fields.length.empty() || fields.beat.empty()) << item;
    }
}

TEST(PatternGrid, UpdateTimeRelabelsAndKeepsCells) {
    PatternGrid grid;
    grid.SetCell(PatternGrid::StepRow(3), 2, "Snare     [ ]");
    grid.SetCell(PatternGrid::StepRow(20), 1, "Kick      [ ]");
    const TimeBarFields fields = SplitTimeBarItem("32 | 8 ");
    grid.UpdateTime(fields.length, fields.beat);
    EXPECT_EQ(grid.LengthText(), "32");
    EXPECT_EQ(grid.BeatText(), "8");
    EXPECT_EQ(grid.RowCount(), 34);
    for (int step : {1, 9, 17, 25}) {
        EXPECT_EQ(grid.Cell(PatternGrid::StepRow(step), 0), std::to_string(step) + ":0*");
    }
    EXPECT_EQ(grid.Cell(PatternGrid::StepRow(10), 0), "10:1");
    EXPECT_EQ(grid.Cell(PatternGrid::StepRow(33), 0), "33:0*") << "the trailing row is labelled too";
    EXPECT_EQ(grid.StepCell(3, 2), "Snare     [ ]");
    EXPECT_EQ(grid.StepCell(20, 1), "Kick      [ ]");

    grid.UpdateTime("4", "4");
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.StepCell(20, 1), "Kick      [ ]") << "hidden, not cleared";
}

TEST(PatternGrid, UpdateTimeFailuresLeaveTheHeaderAsTyped) {
    PatternGrid grid;
    try {
        grid.UpdateTime("x1", "4");
        FAIL();
    } catch (const IntegerTextError& error) {
        EXPECT_STREQ(error.what(), "'x1' is not a valid integer value");
    }
    EXPECT_EQ(grid.LengthText(), "x1");
    EXPECT_EQ(grid.BeatText(), "4");
    EXPECT_EQ(grid.RowCount(), 18);

    PatternGrid beatFails;
    EXPECT_THROW(beatFails.UpdateTime("8", "q"), IntegerTextError);
    EXPECT_EQ(beatFails.LengthText(), "8");
    EXPECT_EQ(beatFails.BeatText(), "q");
    EXPECT_EQ(beatFails.RowCount(), 18);

    PatternGrid outOfRange;
    EXPECT_THROW(outOfRange.UpdateTime("65", "4"), PatternLengthError);
    EXPECT_THROW(outOfRange.UpdateTime("0", "4"), PatternLengthError);
    try {
        outOfRange.UpdateTime("8", "0");
        FAIL();
    } catch (const PatternBeatError& error) {
        EXPECT_STREQ(error.what(), "'0' is not a valid beat (1 step or more)");
    }
    EXPECT_EQ(outOfRange.RowCount(), 18);
}

TEST(PatternGrid, ClearPatternEmptiesEveryStepButKeepsTime) {
    UserSampleTable samples;
    SequencerDocument document("/nowhere", samples);
    document.grid.UpdateTime("8", "2");
    document.SetPatternName("Verse");
    document.SetLoop(3);
    document.SetDelay(90);
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [ ]");
    document.grid.SetCell(66, 6, "Sample2");  // beyond the length
    document.ClearPattern();
    EXPECT_EQ(document.grid.StepCell(1, 1), "");
    EXPECT_EQ(document.grid.Cell(66, 6), "");
    EXPECT_EQ(document.grid.Name(), "");
    EXPECT_EQ(document.PatternNameField(), "");
    EXPECT_EQ(document.Loop(), 1);
    EXPECT_EQ(document.Delay(), 90);
    EXPECT_EQ(document.grid.RowCount(), 10);
    EXPECT_EQ(document.grid.LengthText(), "8");
    EXPECT_EQ(document.grid.Cell(PatternGrid::StepRow(2), 0), "2:1");
}

TEST(SequencerDocument, StartsWithTheDefaults) {
    UserSampleTable samples;
    SequencerDocument document("/start", samples);
    EXPECT_EQ(document.Delay(), 60);
    EXPECT_EQ(document.Loop(), 1);
    EXPECT_EQ(document.PatternNameField(), "Name");
    EXPECT_EQ(document.grid.Name(), "");
    EXPECT_EQ(document.library.Names(), std::vector<std::string>{"<Blank>"});
    EXPECT_TRUE(document.playList.Empty());
    EXPECT_EQ(document.songTitle, "");
    EXPECT_EQ(document.caption, "Stepweave Pro v5.0");

    document.SetDelay(500);
    EXPECT_EQ(document.Delay(), 140);
    document.SetLoop(0);
    EXPECT_EQ(document.Loop(), 1);
    document.SetPatternName("Groove");
    EXPECT_EQ(document.grid.Name(), "Groove");
}
