// Note names, scale names and the note range of the main window's fields.
#include <gtest/gtest.h>

#include "voxnote/app/display/note_name.h"
#include "voxnote/app/settings/note_range.h"
#include "voxnote/app/display/scale_step.h"
#include "voxnote/app/display/word_wrap.h"

using namespace voxnote;

TEST(NoteName, LetterSharpAndOctave) {
    EXPECT_EQ(NoteName(60), "C5");
    EXPECT_EQ(NoteName(61), "C#5");
    EXPECT_EQ(NoteName(101), "F8");
    EXPECT_EQ(NoteName(33), "A2");
    EXPECT_EQ(NoteName(0), "C0");
    EXPECT_EQ(NoteName(70), "A#5");
    EXPECT_EQ(NoteName(71), "B5");
    EXPECT_EQ(NoteName(127), "G10");
    EXPECT_EQ(NoteName(-1), "");
    EXPECT_EQ(NoteName(128), "");
}

TEST(NoteName, FieldsShowOnlyNotes24To101) {
    EXPECT_EQ(NoteFieldText(23), "");
    EXPECT_EQ(NoteFieldText(24), "C2");
    EXPECT_EQ(NoteFieldText(101), "F8");
    EXPECT_EQ(NoteFieldText(102), "");
}

TEST(ScaleStep, WrapsBetween12And0) {
    EXPECT_EQ(ScaleDown(0), 12);
    EXPECT_EQ(ScaleUp(12), 0);
    EXPECT_EQ(ScaleUp(5), 6);
    EXPECT_EQ(ScaleDown(7), 6);
    EXPECT_EQ(ScaleUp(-4), 0);  // a damaged value steps back into the list
    EXPECT_EQ(ScaleDown(40), 12);
}

TEST(NoteRange, MaximumStaysAboveMinimumAndWithin25To101) {
    NoteRange range{101, 33};
    EXPECT_FALSE(range.MaximumUp());
    EXPECT_EQ(range.maximum, 101);
    range = {34, 33};
    EXPECT_FALSE(range.MaximumDown());
    EXPECT_TRUE(range.MaximumUp());
    EXPECT_EQ(range.maximum, 35);
    range = {26, 24};
    EXPECT_TRUE(range.MaximumDown());
    EXPECT_FALSE(range.MaximumDown());
    EXPECT_EQ(range.maximum, 25);
}

TEST(NoteRange, MinimumStaysBelowMaximumAndWithin24To100) {
    NoteRange range{101, 99};
    EXPECT_TRUE(range.MinimumUp());
    EXPECT_FALSE(range.MinimumUp());
    EXPECT_EQ(range.minimum, 100);
    range = {50, 49};
    EXPECT_FALSE(range.MinimumUp());
    range = {101, 25};
    EXPECT_TRUE(range.MinimumDown());
    EXPECT_FALSE(range.MinimumDown());
    EXPECT_EQ(range.minimum, 24);
}

TEST(NoteRange, CrossedRangeFromAPresetCanBeOpenedAgain) {
    NoteRange range{40, 60};
    EXPECT_FALSE(range.MinimumUp());
    EXPECT_TRUE(range.MinimumDown());
    EXPECT_EQ(range.minimum, 59);
}

// One unit per character: a path stays whole, on a line of its own when it is wider than the width.
TEST(WordWrap, LinesBreakAtSpacesOnly) {
    const auto characters = [](std::string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(WrapAtSpaces("no ALSA  sequencer (/dev/snd/seq).", 12, characters),
              (std::vector<std::string>{"no ALSA", "sequencer", "(/dev/snd/seq)."}));
    EXPECT_EQ(WrapAtSpaces("fits in one", 11, characters), std::vector<std::string>{"fits in one"});
}
