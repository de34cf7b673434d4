#pragma once
#include <string>

#include "voxnote/app/skin/skin_push_control.h"

namespace voxnote {

// A two-state switch. Its state is 1 (on) or 0 (off) and flips when a press
// ends inside it. Four bitmaps: prefix + "ON_" or "OF_", then "U" or "D".
class SkinToggle : public SkinPushControl {
public:
    SkinToggle(SkinControlSet& set, const std::string& prefix, SkinPoint position);

    bool IsOn() const { return GetState() != 0; }
    std::string CurrentBitmapName() const override;

protected:
    void CompleteClick() override { StoreState(IsOn() ? 0 : 1); }
};

}  // namespace voxnote
