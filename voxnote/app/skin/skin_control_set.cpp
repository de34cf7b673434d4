#include "voxnote/app/skin/skin_control_set.h"

#include <algorithm>
#include <utility>

#include "voxnote/app/skin/skin_control.h"

namespace voxnote {

void SkinControlSet::Register(SkinControl& control) { controls_.push_back(&control); }

void SkinControlSet::Unregister(SkinControl& control) {
    std::erase(controls_, &control);
    if (current_ == &control) {
        current_ = nullptr;
    }
}

SkinControl* SkinControlSet::Find(std::string_view name) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [name](const SkinControl* control) { return control->Name() == name; });
    return found == controls_.end() ? nullptr : *found;
}

SkinControl* SkinControlSet::HitTest(SkinPoint point) const {
    for (SkinControl* control : controls_) {
        if (control->TakesMouse() && control->GetBoundingRect().Contains(point)) {
            return control;
        }
    }
    return nullptr;
}

void SkinControlSet::MouseDown(SkinPoint point) {
    current_ = HitTest(point);
    lastPressHitNothing_ = current_ == nullptr;
    if (current_ != nullptr) {
        current_->Press(point);
    }
}

void SkinControlSet::MouseUp(SkinPoint point) {
    SkinControl* control = std::exchange(current_, nullptr);
    if (control != nullptr) {
        control->Release(point);
    }
}

void SkinControlSet::MouseMove(SkinPoint point) {
    if (current_ != nullptr) {
        current_->Move(owner_.ClientRect().Clamp(point));
    }
}

void SkinControlSet::RedrawAll(SkinCanvas& canvas) const {
    for (const SkinControl* control : controls_) {
        control->Draw(canvas);
    }
}

}  // namespace voxnote
