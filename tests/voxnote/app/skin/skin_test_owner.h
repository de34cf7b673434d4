#pragma once
// A window for skinned controls that records what the controls tell it.
#include <string>
#include <string_view>
#include <vector>

#include "voxnote/app/skin/skin_owner.h"

namespace voxnote::skin_test {

struct SkinTestOwner : SkinOwner {
    bool enabled = true;
    SkinRect client{0, 0, 199, 346};
    SkinSize buttonSize{20, 12};
    SkinSize thumbSize{16, 10};
    std::vector<const SkinControl*> pressed;
    std::vector<const SkinControl*> clicked;
    std::vector<SkinRect> invalidated;

    bool IsEnabled() const override { return enabled; }
    SkinRect ClientRect() const override { return client; }
    SkinSize BitmapSize(std::string_view name) const override {
        return name.starts_with("SLD_") ? thumbSize : buttonSize;
    }
    void Invalidate(const SkinRect& area) override { invalidated.push_back(area); }
    void ControlPressed(SkinControl& control) override { pressed.push_back(&control); }
    void ControlClicked(SkinControl& control) override { clicked.push_back(&control); }
};

}  // namespace voxnote::skin_test
