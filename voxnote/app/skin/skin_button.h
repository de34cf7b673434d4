#pragma once
#include <string>

#include "voxnote/app/skin/skin_push_control.h"

namespace voxnote {

// A push button drawn with the bitmaps prefix + "U" (up) and prefix + "D"
// (down). Its state is 1 while it is shown down.
class SkinButton : public SkinPushControl {
public:
    SkinButton(SkinControlSet& set, const std::string& prefix, SkinPoint position);

    int GetState() const override { return IsPressed() || SkinControl::GetState() != 0 ? 1 : 0; }
    std::string CurrentBitmapName() const override { return Prefix() + (GetState() != 0 ? "D" : "U"); }

protected:
    void CompleteClick() override { StoreState(0); }
};

}  // namespace voxnote
