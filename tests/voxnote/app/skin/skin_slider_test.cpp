#include "voxnote/app/skin/skin_slider.h"

#include <gtest/gtest.h>

#include "tests/voxnote/app/skin/skin_test_owner.h"
#include "voxnote/app/skin/skin_control_set.h"

using namespace voxnote;

namespace {

// A slider as the main window has it: track from y 76 to 188, thumb 16 x 10,
// so the thumb's top travels from 76 to 178.
class SkinSliderTest : public ::testing::Test {
protected:
    void SetUp() override { slider.SetRange(0, 69); }
    void Drag(SkinPoint from, SkinPoint to) {
        set.MouseDown(from);
        set.MouseMove(to);
        set.MouseUp(to);
    }

    skin_test::SkinTestOwner owner;
    SkinControlSet set{owner};
    SkinSlider slider{set, "SLD_OF_", {83, 76}};
};

TEST_F(SkinSliderTest, ThumbFollowsTheMouseLessWhereItWasGrabbed) {
    set.MouseDown({90, 83});  // 7 pixels down the thumb
    EXPECT_TRUE(slider.IsDragging());
    set.MouseMove({10, 83 + 56});
    EXPECT_EQ(slider.ThumbRect().top, 76 + 56);
    EXPECT_EQ(slider.GetValue(), 56 * 69 / 112);
    EXPECT_EQ(slider.ValueLabel().GetState(), slider.GetValue());
    set.MouseUp({10, 139});
    EXPECT_FALSE(slider.IsDragging());
    set.MouseMove({10, 83});  // released: no longer follows
    EXPECT_EQ(slider.GetValue(), 56 * 69 / 112);
}

TEST_F(SkinSliderTest, EndsOfTheTrackGiveZeroAndTheReachableMaximum) {
    Drag({90, 80}, {90, 1000});
    EXPECT_EQ(slider.ThumbRect(), (SkinRect{83, 178, 99, 188}));  // wholly on the track
    EXPECT_EQ(slider.GetValue(), 102 * 69 / 112);                  // 62
    Drag({90, 180}, {90, -1000});
    EXPECT_EQ(slider.ThumbRect().top, 76);
    EXPECT_EQ(slider.GetValue(), 0);
}

TEST_F(SkinSliderTest, NotifiesPressedOnPressAndOnEveryValueChange) {
    set.MouseDown({90, 80});
    EXPECT_EQ(owner.pressed.size(), 1u);
    set.MouseMove({90, 81});  // one pixel: 1 * 69 / 112 is still 0
    EXPECT_EQ(owner.pressed.size(), 1u);
    set.MouseMove({90, 82});  // two pixels: value 1
    EXPECT_EQ(owner.pressed.size(), 2u);
    EXPECT_EQ(slider.GetValue(), 1);
    set.MouseUp({90, 82});
    EXPECT_TRUE(owner.clicked.empty());
}

TEST_F(SkinSliderTest, PressOnTheBareTrackBringsTheThumbThere) {
    set.MouseDown({88, 140});
    EXPECT_EQ(slider.ThumbRect().top, 135);
    EXPECT_EQ(slider.GetValue(), 59 * 69 / 112);
    set.MouseMove({88, 141});
    EXPECT_EQ(slider.ThumbRect().top, 136);
}

TEST_F(SkinSliderTest, SettingAValuePlacesTheThumbProportionally) {
    slider.SetValue(13);
    EXPECT_EQ(slider.ThumbRect().top, 76 + 13 * 112 / 69);
    EXPECT_EQ(slider.ValueLabel().GetState(), 13);
    // The top values would put the thumb past the track's end; it stops there
    // and the value is kept as set.
    slider.SetValue(69);
    EXPECT_EQ(slider.ThumbRect().top, 178);
    EXPECT_EQ(slider.GetValue(), 69);
    slider.SetValue(500);
    EXPECT_EQ(slider.GetValue(), 69);
    slider.SetValue(-3);
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_TRUE(owner.pressed.empty());  // setting is not the user's doing
}

TEST_F(SkinSliderTest, NarrowingTheRangeKeepsTheValueInside) {
    slider.SetValue(40);
    slider.SetRange(0, 23);
    EXPECT_EQ(slider.GetValue(), 23);
    EXPECT_EQ(slider.Maximum(), 23);
}

TEST_F(SkinSliderTest, LockedSliderStaysWhereItIs) {
    slider.SetStateAndLock(20);
    const int top = slider.ThumbRect().top;
    Drag({90, top + 2}, {90, 188});
    EXPECT_EQ(slider.GetValue(), 20);
    EXPECT_TRUE(owner.pressed.empty());
    slider.SetStateAndUnlock(20);
    Drag({90, top + 2}, {90, 188});
    EXPECT_EQ(slider.GetValue(), 62);
}

}  // namespace
