#include "voxnote/app/skin/skin_control_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/voxnote/app/skin/skin_test_owner.h"
#include "voxnote/app/skin/skin_button.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/skin/skin_toggle.h"

using namespace voxnote;

namespace {

struct RecordingCanvas : SkinCanvas {
    std::vector<std::string> drawn;
    void DrawBitmap(std::string_view name, SkinPoint at) override {
        drawn.push_back(std::string(name) + "@" + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void DrawFieldText(const SkinRect& field, std::string_view text) override {
        drawn.push_back("text:" + std::string(text) + "@" + std::to_string(field.left) + "," +
                        std::to_string(field.top));
    }
};

class SkinControlSetTest : public ::testing::Test {
protected:
    skin_test::SkinTestOwner owner;
    SkinControlSet set{owner};
};

TEST_F(SkinControlSetTest, PressGoesToTheFirstControlInCreationOrder) {
    SkinButton first(set, "UP_", {10, 10});    // 10..29 x 10..21
    SkinButton second(set, "DN_", {20, 15});   // overlaps the first
    set.MouseDown({25, 18});
    EXPECT_EQ(set.CurrentControl(), &first);
    ASSERT_EQ(owner.pressed.size(), 1u);
    EXPECT_EQ(owner.pressed[0], &first);
    EXPECT_EQ(first.CurrentBitmapName(), "UP_D");
    set.MouseUp({25, 18});
    EXPECT_EQ(set.CurrentControl(), nullptr);
    ASSERT_EQ(owner.clicked.size(), 1u);
    EXPECT_EQ(owner.clicked[0], &first);
    EXPECT_EQ(first.CurrentBitmapName(), "UP_U");

    set.MouseDown({35, 18});
    EXPECT_EQ(set.CurrentControl(), &second);
    EXPECT_FALSE(set.LastPressHitNothing());
}

TEST_F(SkinControlSetTest, PressBesideEveryControlHitsNothing) {
    SkinButton button(set, "UP_", {10, 10});
    set.MouseDown({30, 10});  // right edge lies just outside
    EXPECT_TRUE(set.LastPressHitNothing());
    EXPECT_EQ(set.CurrentControl(), nullptr);
    EXPECT_TRUE(owner.pressed.empty());
    set.MouseUp({30, 10});
    EXPECT_TRUE(owner.clicked.empty());
}

TEST_F(SkinControlSetTest, ReleaseOutsideIsNoClickAndLeavesAToggleAsItWas) {
    SkinToggle toggle(set, "RHY_", {13, 295});
    set.MouseDown({20, 300});
    EXPECT_EQ(toggle.CurrentBitmapName(), "RHY_OF_D");
    set.MouseMove({100, 100});
    set.MouseUp({100, 100});
    EXPECT_TRUE(owner.clicked.empty());
    EXPECT_FALSE(toggle.IsOn());
    EXPECT_EQ(toggle.CurrentBitmapName(), "RHY_OF_U");

    // Sliding out and back in before letting go still counts.
    set.MouseDown({20, 300});
    set.MouseMove({150, 10});
    set.MouseUp({20, 300});
    ASSERT_EQ(owner.clicked.size(), 1u);
    EXPECT_TRUE(toggle.IsOn());
    EXPECT_EQ(toggle.CurrentBitmapName(), "RHY_ON_U");
}

TEST_F(SkinControlSetTest, ToggleFlipsOnEachCompleteClickAndShowsItsFourFaces) {
    SkinToggle toggle(set, "STA_", {119, 3});
    const SkinPoint inside{125, 8};
    set.MouseDown(inside);
    EXPECT_EQ(toggle.CurrentBitmapName(), "STA_OF_D");
    EXPECT_FALSE(toggle.IsOn());  // a press alone does not switch
    set.MouseUp(inside);
    EXPECT_EQ(toggle.GetState(), 1);
    set.MouseDown(inside);
    EXPECT_EQ(toggle.CurrentBitmapName(), "STA_ON_D");
    set.MouseUp(inside);
    EXPECT_EQ(toggle.GetState(), 0);
    EXPECT_EQ(owner.pressed.size(), 2u);
    EXPECT_EQ(owner.clicked.size(), 2u);
}

TEST_F(SkinControlSetTest, LockedControlIgnoresTheMouseUntilUnlocked) {
    SkinToggle toggle(set, "RED_", {142, 15});
    SkinButton button(set, "SETUP_", {57, 317});
    toggle.SetStateAndLock(1);
    button.SetStateAndLock(0);
    for (SkinPoint point : {SkinPoint{145, 20}, SkinPoint{60, 320}}) {
        set.MouseDown(point);
        set.MouseUp(point);
    }
    EXPECT_TRUE(owner.pressed.empty());
    EXPECT_TRUE(owner.clicked.empty());
    EXPECT_TRUE(toggle.IsOn());
    EXPECT_EQ(button.CurrentBitmapName(), "SETUP_U");

    toggle.SetStateAndUnlock(1);
    button.SetStateAndUnlock(0);
    set.MouseDown({145, 20});
    set.MouseUp({145, 20});
    set.MouseDown({60, 320});
    set.MouseUp({60, 320});
    EXPECT_FALSE(toggle.IsOn());
    ASSERT_EQ(owner.clicked.size(), 2u);
    EXPECT_EQ(owner.clicked[1], &button);
}

TEST_F(SkinControlSetTest, ControlLockedWhileHeldIsNotClickedOnRelease) {
    SkinButton button(set, "SETUP_", {57, 317});
    set.MouseDown({60, 320});
    button.SetStateAndLock(0);
    EXPECT_EQ(button.CurrentBitmapName(), "SETUP_U");
    set.MouseUp({60, 320});
    EXPECT_TRUE(owner.clicked.empty());
}

TEST_F(SkinControlSetTest, DisabledWindowPassesNoPressToItsControls) {
    SkinButton button(set, "WAVE_", {12, 317});
    owner.enabled = false;
    set.MouseDown({15, 320});
    owner.enabled = true;
    set.MouseUp({15, 320});
    EXPECT_TRUE(owner.pressed.empty());
    EXPECT_TRUE(owner.clicked.empty());
}

TEST_F(SkinControlSetTest, SliderValueLabelsAreListedButNeverHit) {
    // The main window's order: fifteen buttons and toggles, then three
    // sliders each followed by its label.
    std::vector<std::unique_ptr<SkinControl>> controls;
    for (int i = 0; i < 15; ++i) {
        controls.push_back(std::make_unique<SkinButton>(set, "B" + std::to_string(i) + "_", SkinPoint{i * 10, 300}));
    }
    SkinSlider input(set, "SLD_OF_", {83, 76});
    SkinSlider gap(set, "SLD_OF_", {124, 76});
    SkinSlider stop(set, "SLD_OF_", {165, 76});
    const auto& list = set.Controls();
    ASSERT_EQ(list.size(), 21u);
    EXPECT_EQ(list[15], &input);
    EXPECT_EQ(list[16], &input.ValueLabel());
    EXPECT_EQ(list[18], &gap.ValueLabel());
    EXPECT_EQ(list[20], &stop.ValueLabel());
    EXPECT_EQ(input.ValueLabel().GetBoundingRect(), (SkinRect{80, 50, 102, 66}));

    set.MouseDown({90, 58});
    EXPECT_TRUE(set.LastPressHitNothing());
    EXPECT_EQ(set.HitTest({131, 60}), nullptr);
    EXPECT_EQ(set.HitTest({131, 80}), &gap);
}

TEST_F(SkinControlSetTest, MovesAreClampedToTheClientAreaAndNeedAPressedControl) {
    SkinSlider slider(set, "SLD_OF_", {83, 76});
    slider.SetRange(0, 69);
    set.MouseMove({90, 500});  // nothing pressed: no effect
    EXPECT_EQ(slider.GetValue(), 0);
    owner.client = {0, 0, 199, 150};
    set.MouseDown({90, 80});
    set.MouseMove({-40, 500});
    // The point is held at the last client row, 149: thumb top 149 - 4 = 145,
    // 69 pixels down the track.
    EXPECT_EQ(slider.ThumbRect().top, 145);
    EXPECT_EQ(slider.GetValue(), 69 * 69 / 112);
}

TEST_F(SkinControlSetTest, DrawsEveryControlWithItsCurrentBitmap) {
    SkinToggle toggle(set, "STA_", {119, 3});
    SkinButton button(set, "CLOSE_", {182, 15});
    SkinSlider slider(set, "SLD_OF_", {83, 76});
    slider.SetRange(0, 35);
    slider.SetValue(35);
    toggle.SetState(1);
    RecordingCanvas canvas;
    set.RedrawAll(canvas);
    EXPECT_EQ(canvas.drawn, (std::vector<std::string>{"STA_ON_U@119,3", "CLOSE_U@182,15", "SLD_OF_U@83,178",
                                                      "text:35@80,50"}));
}

TEST_F(SkinControlSetTest, DestroyedControlLeavesTheSetEvenWhileHeld) {
    auto button = std::make_unique<SkinButton>(set, "MIXER_", SkinPoint{19, 37});
    set.MouseDown({20, 40});
    button.reset();
    EXPECT_TRUE(set.Controls().empty());
    EXPECT_EQ(set.CurrentControl(), nullptr);
    set.MouseUp({20, 40});
    EXPECT_TRUE(owner.clicked.empty());
}

}  // namespace
