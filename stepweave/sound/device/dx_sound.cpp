#include "stepweave/sound/device/dx_sound.h"

#include <algorithm>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

TCustomDXSound::TCustomDXSound(TComponent* owner, TimerScheduler& timers) : TComponent(owner), timers_(timers) {}

TCustomDXSound::~TCustomDXSound() {
    Finalize();
    Notify(TDXSoundNotifyType::dsntDestroying);
}

void TCustomDXSound::Initialize() {
    Finalize();
    TFormOwner* form = FindOwningForm(*this);
    if (form == nullptr) {
        throw EDXSoundError("Form not found");
    }
    Notify(TDXSoundNotifyType::dsntInitializing);
    if (OnInitializing) {
        OnInitializing(*this);
    }
    try {
        OpenDevice(*form);
    } catch (...) {
        Finalize();
        throw;
    }
    Notify(TDXSoundNotifyType::dsntInitialize);
    calledOnInitialize_ = true;
    if (OnInitialize) {
        OnInitialize(*this);
    }
    Restore();
}

void TCustomDXSound::OpenDevice(TFormOwner& form) {
    dsound_ = std::make_unique<TDirectSound>();
    dsound_->OnBufferLost = [this] { Restore(); };
    primary_ = std::make_unique<TDirectSoundBuffer>(*dsound_);
    TDSBufferDesc description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (!primary_->CreateBuffer(description)) {
        throw EDXSoundError(FormatMessage("%s cannot be made", "Primary Buffer"));
    }
    initialized_ = true;
    openedWith_ = options_;
    form_ = &form;
    ApplyCooperativeLevel();
    // A window made anew needs its level set again.
    handleWatch_ = form.WatchHandle([this] { ApplyCooperativeLevel(); });
}

uint32_t TCustomDXSound::CooperativeLevel() const {
    if (openedWith_.Contains(TDXSoundOption::soWritePrimary)) {
        return DSSCL_WRITEPRIMARY;
    }
    if (openedWith_.Contains(TDXSoundOption::soExclusive)) {
        return DSSCL_EXCLUSIVE;
    }
    return DSSCL_NORMAL;
}

void TCustomDXSound::ApplyCooperativeLevel() {
    if (dsound_ && form_ != nullptr) {
        dsound_->SetCooperativeLevel(form_->Handle(), CooperativeLevel());
    }
}

void TCustomDXSound::Finalize() {
    if (form_ != nullptr) {
        form_->StopWatching(handleWatch_);
        form_ = nullptr;
    }
    if (initialized_) {
        Notify(TDXSoundNotifyType::dsntFinalize);
        if (calledOnInitialize_ && OnFinalize) {
            OnFinalize(*this);
        }
    }
    calledOnInitialize_ = false;
    initialized_ = false;
    primary_.reset();
    dsound_.reset();
}

void TCustomDXSound::Restore() {
    if (!initialized_ || restoring_) {
        return;
    }
    restoring_ = true;
    try {
        Notify(TDXSoundNotifyType::dsntRestore);
        if (OnRestore) {
            OnRestore(*this);
        }
    } catch (...) {
        restoring_ = false;
        throw;
    }
    restoring_ = false;
}

void TCustomDXSound::Loaded() {
    if (!autoInitialize_) {
        return;
    }
    try {
        Initialize();
    } catch (const std::exception&) {
        // Without a sound device the program runs silent.
    }
}

uint32_t TCustomDXSound::BufferFlags() const {
    uint32_t flags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    if (options_.Contains(TDXSoundOption::soStickyFocus)) {
        flags |= DSBCAPS_STICKYFOCUS;
    } else if (options_.Contains(TDXSoundOption::soGlobalFocus)) {
        flags |= DSBCAPS_GLOBALFOCUS;
    }
    return flags;
}

void TCustomDXSound::RegisterNotifyEvent(const void* key, TDXSoundNotifyEvent event) {
    UnRegisterNotifyEvent(key);
    notifyEvents_.emplace_back(key, std::move(event));
}

void TCustomDXSound::UnRegisterNotifyEvent(const void* key) {
    notifyEvents_.erase(std::remove_if(notifyEvents_.begin(), notifyEvents_.end(),
                                       [&](const auto& entry) { return entry.first == key; }),
                        notifyEvents_.end());
}

void TCustomDXSound::Notify(TDXSoundNotifyType type) {
    // A handler may unregister itself (or others): tell those still registered.
    const auto entries = notifyEvents_;
    for (const auto& [key, event] : entries) {
        const bool stillRegistered = std::any_of(notifyEvents_.begin(), notifyEvents_.end(),
                                                 [&, k = key](const auto& entry) { return entry.first == k; });
        if (stillRegistered) {
            event(*this, type);
        }
    }
}

}  // namespace stepweave
