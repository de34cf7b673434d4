#pragma once
#include <string>

#include "voxnote/app/skin/skin_control.h"

namespace voxnote {

// What buttons and toggles share: the mouse goes down on the control, which
// then shows its "D" bitmap; it is clicked when the mouse comes up inside it
// again, and shows its "U" bitmap after the release wherever that happens.
class SkinPushControl : public SkinControl {
public:
    using SkinControl::SkinControl;

    void Draw(SkinCanvas& canvas) const override;
    void Press(SkinPoint point) override;
    void Release(SkinPoint point) override;
    void Move(SkinPoint) override {}
    void SetState(int state) override;

    bool IsPressed() const { return pressed_; }
    // The name of the bitmap that shows the control as it is now.
    virtual std::string CurrentBitmapName() const = 0;

protected:
    // The press ended with the mouse inside the control, before the owner hears of it.
    virtual void CompleteClick() {}

private:
    bool pressed_ = false;
};

}  // namespace voxnote
