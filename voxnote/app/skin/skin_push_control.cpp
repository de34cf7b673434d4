#include "voxnote/app/skin/skin_push_control.h"

namespace voxnote {

void SkinPushControl::Draw(SkinCanvas& canvas) const { canvas.DrawBitmap(CurrentBitmapName(), Position()); }

void SkinPushControl::Press(SkinPoint point) {
    if (!AcceptsMouse() || !GetBoundingRect().Contains(point)) {
        return;
    }
    pressed_ = true;
    Redraw();
    Owner().ControlPressed(*this);
}

void SkinPushControl::Release(SkinPoint point) {
    // A press the control did not take (it was locked, or the window was
    // disabled) cannot end in a click.
    if (IsLocked() || !pressed_) {
        return;
    }
    pressed_ = false;
    const bool inside = GetBoundingRect().Contains(point);
    if (inside) {
        CompleteClick();
    }
    Redraw();
    if (inside) {
        Owner().ControlClicked(*this);
    }
}

void SkinPushControl::SetState(int state) {
    pressed_ = false;
    SkinControl::SetState(state);
}

}  // namespace voxnote
