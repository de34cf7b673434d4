#include "stepweave/sequencer/editor/pattern_editing.h"

#include <gtest/gtest.h>

#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/playback/playhead.h"

namespace stepweave {
namespace {

TEST(PatternEditing, PlacingTogglesAndOnlyKitLabelsAskForAPreview) {
    PatternGrid grid;
    EXPECT_TRUE(PlaceInstrument(grid, {2, 1}, "Kick      [ ]"));
    EXPECT_FALSE(PlaceInstrument(grid, {2, 1}, "Kick      [ ]"));
    EXPECT_EQ(grid.Cell(2, 1), "");
    EXPECT_FALSE(PlaceInstrument(grid, {3, 1}, "Sample5"));
    EXPECT_FALSE(PlaceInstrument(grid, {4, 1}, "typed text"));
    EXPECT_EQ(grid.Cell(4, 1), "typed text");
}

TEST(PatternEditing, LevelsChangeOnlyKitCells) {
    PatternGrid grid;
    grid.SetCell(2, 1, "Cymbol2   [9]");
    EXPECT_TRUE(StepLevelUp(grid, {2, 1}));
    EXPECT_EQ(grid.Cell(2, 1), "Cymbol2   [1]");
    grid.SetCell(3, 1, "Not a kit [ ]");  // 13 characters, but no kit label
    EXPECT_FALSE(StepLevelUp(grid, {3, 1}));
    EXPECT_EQ(TypeLevel(grid, {3, 1}, '4', "Kick      [ ]", 1), 3);
    EXPECT_EQ(grid.Cell(3, 1), "Not a kit [ ]");
    // An empty cell takes a chooser holding a sample, which carries no level.
    EXPECT_EQ(TypeLevel(grid, {5, 1}, '4', "Sample2", 1), 5);
    EXPECT_EQ(grid.Cell(5, 1), "Sample2");
}

TEST(PatternEditing, ClearingSparesTheHeaderTheLabelsAndHiddenRows) {
    PatternGrid grid;
    grid.SetCell(17, 6, "Sample1");
    grid.SetCell(30, 6, "Sample1");  // beyond the 16 steps shown
    ClearCells(grid, {{17, 6}, {0, 0}});
    EXPECT_EQ(grid.Cell(17, 6), "");
    EXPECT_EQ(grid.Cell(30, 6), "Sample1");
    EXPECT_EQ(grid.Cell(0, 1), "Length:");
    EXPECT_EQ(grid.Cell(1, 1), "Channel:1");
    EXPECT_EQ(grid.Cell(2, 0), "1:0*");
}

TEST(Playhead, SongStepsAreMarkedOnlyWithinTheLastPatternCompiled) {
    // Two patterns: the first of 1 step, the last of 2 steps played twice.
    std::vector<std::string> songLines{kTempoMarker, "60"};
    songLines.insert(songLines.end(), 6, "");
    songLines.push_back(kTempoMarker);
    songLines.push_back("30");
    songLines.insert(songLines.end(), 4 * 6, "");
    songLines.push_back(kSongEndMarker);
    EXPECT_EQ(SongPlayheadRow(songLines, 8, 2), std::nullopt);  // the first pattern
    EXPECT_EQ(SongPlayheadRow(songLines, 10, 2), std::nullopt);  // the marker read, no step yet
    EXPECT_EQ(SongPlayheadRow(songLines, 16, 2), 2);
    EXPECT_EQ(SongPlayheadRow(songLines, 22, 2), 3);
    EXPECT_EQ(SongPlayheadRow(songLines, 28, 2), 2);  // the repeat starts again at the first step
    EXPECT_EQ(SongPlayheadRow(songLines, 34, 2), 3);
}

TEST(Playhead, TheSongPatternPlayingIsFoundStepByStep) {
    // Two patterns of 1 and 2 steps; a cell of the first reads "//" and is no marker.
    std::vector<std::string> songLines{kTempoMarker, "60", "", kTempoMarker, "", "", "", ""};
    songLines.push_back(kTempoMarker);
    songLines.push_back("30");
    songLines.insert(songLines.end(), 2 * 6, "");
    songLines.push_back(kSongEndMarker);
    const std::vector<size_t> starts = PatternStartLines(songLines);
    EXPECT_EQ(starts, (std::vector<size_t>{0, 8}));
    EXPECT_EQ(PatternPlayedAt(starts, 0), 0);   // before the first step
    EXPECT_EQ(PatternPlayedAt(starts, 8), 0);   // the first pattern's step played
    EXPECT_EQ(PatternPlayedAt(starts, 16), 1);
    EXPECT_EQ(PatternPlayedAt(starts, 22), 1);  // the last step
    EXPECT_EQ(PatternPlayedAt({}, 8), std::nullopt);
}

}  // namespace
}  // namespace stepweave
