#pragma once
// The sound device component of a form: opens the sound device for the
// form's window, owns the primary buffer, and tells the kits and streams
// bound to it when it is initialised, finalised or must restore its buffers.
//
// Main thread only.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "stepweave/sound/files/component_owner.h"
#include "stepweave/sound/device/direct_sound.h"
#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

enum class TDXSoundOption : uint8_t { soGlobalFocus, soStickyFocus, soExclusive, soWritePrimary };

// A set of options (bits 0 ... 3).
class TDXSoundOptions {
public:
    TDXSoundOptions() = default;
    TDXSoundOptions(std::initializer_list<TDXSoundOption> options) {
        for (TDXSoundOption option : options) {
            Include(option);
        }
    }
    bool Contains(TDXSoundOption option) const { return (bits_ & Bit(option)) != 0; }
    TDXSoundOptions& Include(TDXSoundOption option) { bits_ |= Bit(option); return *this; }
    TDXSoundOptions& Exclude(TDXSoundOption option) { bits_ &= static_cast<uint8_t>(~Bit(option)); return *this; }
    uint8_t Bits() const { return bits_; }
    bool operator==(const TDXSoundOptions&) const = default;

private:
    static uint8_t Bit(TDXSoundOption option) { return static_cast<uint8_t>(1u << static_cast<unsigned>(option)); }
    uint8_t bits_ = 0;
};

enum class TDXSoundNotifyType { dsntDestroying, dsntInitializing, dsntInitialize, dsntFinalize, dsntRestore };

class TCustomDXSound;
using TDXSoundNotifyEvent = std::function<void(TCustomDXSound& sender, TDXSoundNotifyType type)>;
using TDXSoundEvent = std::function<void(TCustomDXSound& sender)>;

class TCustomDXSound : public TComponent {
public:
    // Its kits and streams run their timers on `timers`.
    explicit TCustomDXSound(TComponent* owner, TimerScheduler& timers = MainTimers());
    // Finalises, then tells the bound lists that it is going.
    ~TCustomDXSound() override;

    // Opens the device for the owning form's window (finalising first if
    // open). EDXSoundError "Form not found" without a form; EDirectSoundError
    // "%s cannot be initialized" ("DirectSound") without a device;
    // EDXSoundError "%s cannot be made" ("Primary Buffer").
    void Initialize();
    void Finalize();
    // Tells the bound lists to reload their buffers, then OnRestore. Not re-entered.
    void Restore();
    bool Initialized() const { return initialized_; }

    // What the form does when it has finished loading: initialise if
    // AutoInitialize, swallowing any failure (the program then runs silent).
    void Loaded();
    bool AutoInitialize() const { return autoInitialize_; }
    void SetAutoInitialize(bool value) { autoInitialize_ = value; }

    TDXSoundOptions Options() const { return options_; }
    // Always stored. While initialised, the focus options apply to buffers
    // made from now on; exclusive and write-primary wait for the next Initialize.
    void SetOptions(TDXSoundOptions options) { options_ = options; }
    // The flags for voice buffers: frequency, pan and volume controls, plus
    // sticky focus, or else global focus, as the options say.
    uint32_t BufferFlags() const;

    // The device and the primary buffer; nullptr while not initialised.
    TDirectSound* DSound() { return dsound_.get(); }
    TDirectSoundBuffer* Primary() { return primary_.get(); }
    TimerScheduler& Timers() { return timers_; }

    void RegisterNotifyEvent(const void* key, TDXSoundNotifyEvent event);
    void UnRegisterNotifyEvent(const void* key);

    TDXSoundEvent OnInitializing;
    TDXSoundEvent OnInitialize;
    TDXSoundEvent OnFinalize;
    TDXSoundEvent OnRestore;

private:
    void Notify(TDXSoundNotifyType type);
    void OpenDevice(TFormOwner& form);
    uint32_t CooperativeLevel() const;
    void ApplyCooperativeLevel();

    TimerScheduler& timers_;
    bool autoInitialize_ = true;
    TDXSoundOptions options_;
    TDXSoundOptions openedWith_;
    bool initialized_ = false;
    bool calledOnInitialize_ = false;
    bool restoring_ = false;
    TFormOwner* form_ = nullptr;
    int handleWatch_ = 0;
    std::unique_ptr<TDirectSound> dsound_;
    std::unique_ptr<TDirectSoundBuffer> primary_;
    std::vector<std::pair<const void*, TDXSoundNotifyEvent>> notifyEvents_;
};

class TDXSound : public TCustomDXSound {
public:
    using TCustomDXSound::TCustomDXSound;
};

}  // namespace stepweave
