#pragma once
#include "voxnote/app/skin/skin_control.h"

namespace voxnote {

// The small green number above a slider that shows its value. It belongs to
// the window's control list but never takes the mouse: a press on it falls on
// no control.
class SkinValueLabel : public SkinControl {
public:
    static constexpr SkinSize kSize{22, 16};
    // Where the label sits relative to its slider's position.
    static constexpr SkinPoint kOffsetFromSlider{-3, -26};

    SkinValueLabel(SkinControlSet& set, SkinPoint sliderPosition);

    void Draw(SkinCanvas& canvas) const override;
    void Press(SkinPoint) override {}
    void Release(SkinPoint) override {}
    void Move(SkinPoint) override {}
    bool TakesMouse() const override { return false; }
};

}  // namespace voxnote
