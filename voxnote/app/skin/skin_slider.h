#pragma once
#include <string>

#include "voxnote/app/skin/skin_control.h"
#include "voxnote/app/skin/skin_value_label.h"

namespace voxnote {

// A vertical slider: a thumb (bitmap prefix + "U") that travels along a
// 112-pixel track whose top is the slider's position, with a value label
// above it. The top of the track is the minimum; the thumb always stays
// wholly on the track, so its bottom end gives
// minimum + (112 - thumb height) * (maximum - minimum) / 112.
class SkinSlider : public SkinControl {
public:
    static constexpr int kTrackLength = 112;

    SkinSlider(SkinControlSet& set, const std::string& prefix, SkinPoint position);

    void Draw(SkinCanvas& canvas) const override;
    void Press(SkinPoint point) override;
    void Release(SkinPoint point) override;
    void Move(SkinPoint point) override;
    void SetState(int state) override { SetValue(state); }
    int GetState() const override { return value_; }

    void SetRange(int minimum, int maximum);
    // Keeps the value within the range and places the thumb proportionally.
    void SetValue(int value);
    int GetValue() const { return value_; }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    SkinRect ThumbRect() const;
    bool IsDragging() const { return dragging_; }
    const SkinValueLabel& ValueLabel() const { return label_; }

private:
    int Travel() const;
    int ValueAtOffset(int offset) const;
    // Moves the thumb's top to the client y (clamped to the track); true when the value changed.
    bool PlaceThumbTop(int top);
    void ShowValue();

    SkinSize thumb_;
    int minimum_ = 0;
    int maximum_ = 0;
    int value_ = 0;
    int thumbOffset_ = 0;  // from the top of the track
    int grabOffset_ = 0;   // where on the thumb the mouse holds it
    bool dragging_ = false;
    SkinValueLabel label_;  // made after the slider, so it follows it in the control list
};

}  // namespace voxnote
