#include "voxnote/app/skin/skin_control.h"

#include <utility>

#include "voxnote/app/skin/skin_control_set.h"

namespace voxnote {

SkinControl::SkinControl(SkinControlSet& set, std::string prefix, SkinPoint position, SkinSize size)
    : set_(set), owner_(set.Owner()), prefix_(std::move(prefix)), position_(position), size_(size) {
    set_.Register(*this);
}

SkinControl::~SkinControl() { set_.Unregister(*this); }

void SkinControl::SetState(int state) {
    state_ = state;
    Redraw();
}

void SkinControl::SetStateAndLock(int state) {
    locked_ = true;
    SetState(state);
}

void SkinControl::SetStateAndUnlock(int state) {
    locked_ = false;
    SetState(state);
}

}  // namespace voxnote
