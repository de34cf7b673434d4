#include "stepweave/sound/files/component_owner.h"

#include <vector>

namespace stepweave {

namespace {

WindowHandle NewHandle() {
    static WindowHandle next = 1;
    return next++;
}

}  // namespace

TFormOwner::TFormOwner(TComponent* owner) : TComponent(owner), handle_(NewHandle()) {}

void TFormOwner::RecreateHandle(WindowHandle handle) {
    handle_ = handle;
    std::vector<std::function<void()>> toTell;
    for (const auto& [watch, onRecreated] : watchers_) {
        toTell.push_back(onRecreated);
    }
    for (const auto& onRecreated : toTell) {
        onRecreated();
    }
}

int TFormOwner::WatchHandle(std::function<void()> onRecreated) {
    const int watch = nextWatch_++;
    watchers_[watch] = std::move(onRecreated);
    return watch;
}

void TFormOwner::StopWatching(int watch) { watchers_.erase(watch); }

TFormOwner* FindOwningForm(TComponent& component) {
    for (TComponent* owner = component.Owner(); owner != nullptr; owner = owner->Owner()) {
        if (TFormOwner* form = owner->AsForm()) {
            return form;
        }
    }
    return nullptr;
}

}  // namespace stepweave
