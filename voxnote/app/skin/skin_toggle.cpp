#include "voxnote/app/skin/skin_toggle.h"

#include "voxnote/app/skin/skin_control_set.h"

namespace voxnote {

SkinToggle::SkinToggle(SkinControlSet& set, const std::string& prefix, SkinPoint position)
    : SkinPushControl(set, prefix, position, set.Owner().BitmapSize(prefix + "OF_U")) {}

std::string SkinToggle::CurrentBitmapName() const {
    return Prefix() + (IsOn() ? "ON_" : "OF_") + (IsPressed() ? "D" : "U");
}

}  // namespace voxnote
