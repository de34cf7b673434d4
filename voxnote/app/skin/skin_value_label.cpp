#include "voxnote/app/skin/skin_value_label.h"

#include <string>

namespace voxnote {

SkinValueLabel::SkinValueLabel(SkinControlSet& set, SkinPoint sliderPosition)
    : SkinControl(set, "", {sliderPosition.x + kOffsetFromSlider.x, sliderPosition.y + kOffsetFromSlider.y},
                  kSize) {}

void SkinValueLabel::Draw(SkinCanvas& canvas) const {
    canvas.DrawFieldText(GetBoundingRect(), std::to_string(GetState()));
}

}  // namespace voxnote
