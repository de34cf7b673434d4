#pragma once
// Ownership between non-visual components and the form they sit on. A sound
// device binds to the window of the form that owns it (directly or through
// other components). The window toolkit gives the form its handle and says
// when the window was made anew; until then a form has a handle of its own.
//
// Main thread only.
#include <functional>
#include <map>

#include "stepweave/sound/device/direct_sound_types.h"

namespace stepweave {

class TFormOwner;

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    virtual TFormOwner* AsForm() { return nullptr; }

private:
    TComponent* owner_;
};

class TFormOwner : public TComponent {
public:
    explicit TFormOwner(TComponent* owner = nullptr);

    TFormOwner* AsForm() override { return this; }
    WindowHandle Handle() const { return handle_; }
    // The window was made anew under another handle; watchers are told.
    void RecreateHandle(WindowHandle handle);

    int WatchHandle(std::function<void()> onRecreated);
    void StopWatching(int watch);

private:
    WindowHandle handle_;
    std::map<int, std::function<void()>> watchers_;
    int nextWatch_ = 1;
};

// The form that owns the component, walking up the owners; nullptr if none.
TFormOwner* FindOwningForm(TComponent& component);

}  // namespace stepweave
