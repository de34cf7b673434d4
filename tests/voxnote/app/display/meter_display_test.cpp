// The level bar and the pitch staff of the meter area.
#include <gtest/gtest.h>

#include "voxnote/app/display/level_meter.h"
#include "voxnote/app/display/pitch_staff.h"

using namespace voxnote;

TEST(LevelMeter, LevelToHeightInThreeZones) {
    EXPECT_EQ(LevelMeter::TargetHeight(20), -1);
    EXPECT_EQ(LevelMeter::TargetHeight(21), 0);
    EXPECT_EQ(LevelMeter::TargetHeight(23), 1);
    EXPECT_EQ(LevelMeter::TargetHeight(44), 8);
    EXPECT_EQ(LevelMeter::TargetHeight(45), 8);
    EXPECT_EQ(LevelMeter::TargetHeight(59), 12);
    EXPECT_EQ(LevelMeter::TargetHeight(60), 13);
    EXPECT_EQ(LevelMeter::TargetHeight(95), 24);
    EXPECT_EQ(LevelMeter::TargetHeight(255), 25);  // never past the top segment
}

TEST(LevelMeter, SegmentsAndTheirColours) {
    EXPECT_EQ(LevelMeter::SegmentPosition(0), (SkinPoint{23, 177}));
    EXPECT_EQ(LevelMeter::SegmentPosition(24), (SkinPoint{23, 81}));
    EXPECT_EQ(LevelMeter::LitSegmentBitmap(7), 206);
    EXPECT_EQ(LevelMeter::LitSegmentBitmap(8), 207);
    EXPECT_EQ(LevelMeter::LitSegmentBitmap(12), 207);
    EXPECT_EQ(LevelMeter::LitSegmentBitmap(13), 209);
}

TEST(LevelMeter, JumpsUpAndFallsBackOneSegmentPerRedraw) {
    LevelMeter meter;
    meter.Update(60, false, false, true);
    EXPECT_EQ(meter.Height(), 13);
    EXPECT_EQ(meter.SegmentBitmap(12), 207);
    EXPECT_EQ(meter.SegmentBitmap(13), LevelMeter::kDarkSegmentBitmap);
    meter.Update(10, false, false, true);  // quiet: no target
    EXPECT_EQ(meter.Height(), 12);
    meter.Update(30, false, false, true);  // asks for 3, bar still falling
    EXPECT_EQ(meter.Height(), 11);
    meter.Update(80, false, false, true);
    EXPECT_EQ(meter.Height(), 19);
    meter.Update(80, false, false, false);  // no input processed
    EXPECT_EQ(meter.Height(), 0);
}

TEST(LevelMeter, FirstLampHoldsForTwoRedrawsSecondFollowsItsFlag) {
    LevelMeter meter;
    meter.Update(50, true, true, true);
    EXPECT_EQ(meter.FirstIndicatorBitmap(), 237);
    EXPECT_EQ(meter.SecondIndicatorBitmap(), 236);
    meter.Update(50, false, false, true);
    EXPECT_TRUE(meter.IsFirstIndicatorLit());
    EXPECT_EQ(meter.SecondIndicatorBitmap(), 235);
    meter.Update(50, false, false, true);
    EXPECT_TRUE(meter.IsFirstIndicatorLit());
    meter.Update(50, false, false, true);
    EXPECT_EQ(meter.FirstIndicatorBitmap(), 235);
    meter.Update(50, true, true, false);
    EXPECT_FALSE(meter.IsFirstIndicatorLit());
    EXPECT_FALSE(meter.IsSecondIndicatorLit());
}

TEST(PitchStaff, HeadClimbsThreePixelsPerNaturalNote) {
    auto c2 = NoteHeadPlacement::ForNote(24);
    ASSERT_TRUE(c2);
    EXPECT_EQ(c2->head, (SkinPoint{40, 189}));
    EXPECT_EQ(c2->headBitmap, 227);
    EXPECT_FALSE(c2->sharp);

    auto d2 = NoteHeadPlacement::ForNote(26);
    EXPECT_EQ(d2->head.y, 186);
    EXPECT_EQ(d2->headBitmap, 226);

    auto c5 = NoteHeadPlacement::ForNote(60);  // three octaves up: 21 naturals
    EXPECT_EQ(c5->head.y, 189 - 63);
    EXPECT_EQ(c5->headBitmap, 226);

    auto fSharp = NoteHeadPlacement::ForNote(66);  // sits on F5 with a sharp beside it
    auto f = NoteHeadPlacement::ForNote(65);
    EXPECT_EQ(fSharp->head, f->head);
    EXPECT_TRUE(fSharp->sharp);
    EXPECT_EQ(fSharp->sharpPosition, (SkinPoint{32, f->head.y}));
}

TEST(PitchStaff, ShowsNotes24To97Only) {
    EXPECT_FALSE(NoteHeadPlacement::ForNote(23));
    EXPECT_FALSE(NoteHeadPlacement::ForNote(98));
    auto top = NoteHeadPlacement::ForNote(97);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->head.y, 189 - 3 * 42);
    EXPECT_TRUE(top->sharp);
}
