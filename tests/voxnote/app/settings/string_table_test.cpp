#include "voxnote/app/settings/string_table.h"

#include <gtest/gtest.h>

#include <set>

namespace voxnote {
namespace {

TEST(StringTable, ProgramNamesFillEntries2093To2220) {
    EXPECT_EQ(Text(2093), "Acoustic Grand Piano");
    EXPECT_EQ(ProgramName(0), "Acoustic Grand Piano");
    EXPECT_EQ(ProgramName(73), "Flute");
    EXPECT_EQ(ProgramName(127), "Gunshot");
    EXPECT_EQ(Text(2220), "Gunshot");
    std::set<std::string> distinct;
    for (int program = 0; program < 128; ++program) {
        EXPECT_FALSE(ProgramName(program).empty()) << program;
        distinct.insert(ProgramName(program));
    }
    EXPECT_EQ(distinct.size(), 128u);
    EXPECT_EQ(Text(2221), "");
    EXPECT_EQ(ProgramName(128), "");
    EXPECT_EQ(ProgramName(-1), "");
}

TEST(StringTable, PercussionNamesStandAtTheirNotes) {
    EXPECT_EQ(Text(35), "Acoustic Bass Drum");
    EXPECT_EQ(Text(38), "Acoustic Snare");
    EXPECT_EQ(Text(42), "Closed High-Hat");
    EXPECT_EQ(Text(74), "n/a");
    EXPECT_EQ(Text(81), "Open Triangle");
    EXPECT_EQ(Text(82), "");
    EXPECT_EQ(Text(2027), "High Q");
    EXPECT_EQ(Text(2087), "Open Surdo");
    EXPECT_EQ(Text(2026), "");
}

TEST(StringTable, ScaleNames) {
    EXPECT_EQ(ScaleName(0), "CMaj/AMin");
    EXPECT_EQ(ScaleName(4), "EMaj/C#Min");
    EXPECT_EQ(ScaleName(12), "Chromatic");
    EXPECT_EQ(ScaleName(13), "");
}

TEST(StringTable, FormatTextFillsEachPlaceholderInTurn) {
    EXPECT_EQ(FormatText(strings::kNoPresetOfThatName, {"Tenor", "/x/voxnote.ini"}),
              "There is no preset \"Tenor\" in /x/voxnote.ini.");
    EXPECT_EQ(FormatText(strings::kCannotOpenInput, {}), "Cannot open the file \"%s\".");
}

}  // namespace
}  // namespace voxnote
