#pragma once
#include <string_view>

#include "voxnote/app/skin/skin_geometry.h"

namespace voxnote {

class SkinControl;

// The window that holds skinned controls, as the controls see it. The window
// passes every mouse event from a press to its release to its control set,
// wherever the mouse is by then (the press captures the mouse).
class SkinOwner {
public:
    virtual ~SkinOwner() = default;

    virtual bool IsEnabled() const = 0;
    virtual SkinRect ClientRect() const = 0;
    // Size of the bitmap of that name; a control is as large as its bitmaps.
    virtual SkinSize BitmapSize(std::string_view name) const = 0;
    // Asks for the area to be drawn again (the control changed its look).
    virtual void Invalidate(const SkinRect& area) = 0;

    // The mouse went down on the control (for a slider: also every value change
    // while it is dragged).
    virtual void ControlPressed(SkinControl& control) = 0;
    // The mouse went down and came up on the same control.
    virtual void ControlClicked(SkinControl& control) = 0;
};

}  // namespace voxnote
