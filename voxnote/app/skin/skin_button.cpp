#include "voxnote/app/skin/skin_button.h"

#include "voxnote/app/skin/skin_control_set.h"

namespace voxnote {

SkinButton::SkinButton(SkinControlSet& set, const std::string& prefix, SkinPoint position)
    : SkinPushControl(set, prefix, position, set.Owner().BitmapSize(prefix + "U")) {}

}  // namespace voxnote
