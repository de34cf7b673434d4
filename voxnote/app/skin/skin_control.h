#pragma once
#include <string>
#include <utility>

#include "voxnote/app/skin/skin_canvas.h"
#include "voxnote/app/skin/skin_geometry.h"
#include "voxnote/app/skin/skin_owner.h"

namespace voxnote {

class SkinControlSet;

// A bitmap control of a skinned window. It registers itself in its window's
// control set when it is created and leaves it when destroyed. Its look comes
// from bitmaps named after its prefix; it is as large as those bitmaps.
class SkinControl {
public:
    SkinControl(SkinControlSet& set, std::string prefix, SkinPoint position, SkinSize size);
    virtual ~SkinControl();
    SkinControl(const SkinControl&) = delete;
    SkinControl& operator=(const SkinControl&) = delete;

    virtual void Draw(SkinCanvas& canvas) const = 0;
    virtual void Press(SkinPoint point) = 0;
    virtual void Release(SkinPoint point) = 0;
    virtual void Move(SkinPoint point) = 0;

    virtual void SetState(int state);
    virtual int GetState() const { return state_; }
    void SetStateAndLock(int state);
    void SetStateAndUnlock(int state);
    bool IsLocked() const { return locked_; }

    SkinRect GetBoundingRect() const { return SkinRect::At(position_, size_); }
    const std::string& Prefix() const { return prefix_; }
    // What the window calls the control ("startToggle"): the prefix alone
    // does not tell the three "UP_" buttons apart.
    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& Name() const { return name_; }
    // Whether a press can land on this control at all.
    virtual bool TakesMouse() const { return true; }

protected:
    SkinOwner& Owner() const { return owner_; }
    // Whether the owner lets the mouse act on this control now.
    bool AcceptsMouse() const { return !locked_ && owner_.IsEnabled(); }
    void StoreState(int state) { state_ = state; }
    void Redraw() const { owner_.Invalidate(GetBoundingRect()); }
    SkinPoint Position() const { return position_; }
    SkinSize Size() const { return size_; }

private:
    SkinControlSet& set_;
    SkinOwner& owner_;
    std::string prefix_;
    std::string name_;
    SkinPoint position_;
    SkinSize size_;
    int state_ = 0;
    bool locked_ = false;
};

}  // namespace voxnote
