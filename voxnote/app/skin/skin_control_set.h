#pragma once
#include <string_view>
#include <vector>

#include "voxnote/app/skin/skin_canvas.h"
#include "voxnote/app/skin/skin_geometry.h"
#include "voxnote/app/skin/skin_owner.h"

namespace voxnote {

class SkinControl;

// The skinned controls of one window, in creation order, and the routing of
// the window's mouse input to them. A press goes to the first control whose
// rectangle holds the point; that control then has the mouse until the release.
class SkinControlSet {
public:
    explicit SkinControlSet(SkinOwner& owner) : owner_(owner) {}
    SkinControlSet(const SkinControlSet&) = delete;
    SkinControlSet& operator=(const SkinControlSet&) = delete;

    SkinOwner& Owner() const { return owner_; }

    // Called by each control when it is created and when it is destroyed.
    void Register(SkinControl& control);
    void Unregister(SkinControl& control);

    void MouseDown(SkinPoint point);
    void MouseUp(SkinPoint point);
    void MouseMove(SkinPoint point);
    void RedrawAll(SkinCanvas& canvas) const;

    // The control of that name, or none.
    SkinControl* Find(std::string_view name) const;
    // The control a press at the point would land on, or none.
    SkinControl* HitTest(SkinPoint point) const;
    // The control that has the mouse between a press and its release.
    SkinControl* CurrentControl() const { return current_; }
    // True when the last press fell on no control (the window handles it then).
    bool LastPressHitNothing() const { return lastPressHitNothing_; }
    const std::vector<SkinControl*>& Controls() const { return controls_; }

private:
    SkinOwner& owner_;
    std::vector<SkinControl*> controls_;
    SkinControl* current_ = nullptr;
    bool lastPressHitNothing_ = false;
};

}  // namespace voxnote
