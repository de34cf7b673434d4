#include "voxnote/app/skin/skin_slider.h"

#include <algorithm>

#include "voxnote/app/skin/skin_control_set.h"

namespace voxnote {

SkinSlider::SkinSlider(SkinControlSet& set, const std::string& prefix, SkinPoint position)
    : SkinControl(set, prefix, position, {set.Owner().BitmapSize(prefix + "U").width, kTrackLength}),
      thumb_(set.Owner().BitmapSize(prefix + "U")),
      label_(set, position) {}

void SkinSlider::Draw(SkinCanvas& canvas) const { canvas.DrawBitmap(Prefix() + "U", ThumbRect().TopLeft()); }

SkinRect SkinSlider::ThumbRect() const {
    return SkinRect::At({Position().x, Position().y + thumbOffset_}, thumb_);
}

int SkinSlider::Travel() const { return std::max(0, kTrackLength - thumb_.height); }

int SkinSlider::ValueAtOffset(int offset) const {
    return minimum_ + offset * (maximum_ - minimum_) / kTrackLength;
}

void SkinSlider::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetValue(value_);
}

void SkinSlider::SetValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    const int span = maximum_ - minimum_;
    thumbOffset_ = span == 0 ? 0 : std::min(Travel(), (value_ - minimum_) * kTrackLength / span);
    Redraw();
    ShowValue();
}

void SkinSlider::ShowValue() { label_.SetState(value_); }

bool SkinSlider::PlaceThumbTop(int top) {
    const int offset = std::clamp(top - Position().y, 0, Travel());
    if (offset == thumbOffset_) {
        return false;
    }
    thumbOffset_ = offset;
    Redraw();
    const int value = ValueAtOffset(offset);
    if (value == value_) {
        return false;
    }
    value_ = value;
    ShowValue();
    return true;
}

void SkinSlider::Press(SkinPoint point) {
    if (!AcceptsMouse() || !GetBoundingRect().Contains(point)) {
        return;
    }
    const SkinRect thumb = ThumbRect();
    if (thumb.Contains(point)) {
        grabOffset_ = point.y - thumb.top;
    } else {
        // A press on the bare track brings the thumb's middle to the mouse.
        grabOffset_ = thumb_.height / 2;
        PlaceThumbTop(point.y - grabOffset_);
    }
    dragging_ = true;
    Owner().ControlPressed(*this);
}

void SkinSlider::Move(SkinPoint point) {
    if (!dragging_ || IsLocked()) {
        return;
    }
    if (PlaceThumbTop(point.y - grabOffset_)) {
        Owner().ControlPressed(*this);
    }
}

void SkinSlider::Release(SkinPoint) { dragging_ = false; }

}  // namespace voxnote
