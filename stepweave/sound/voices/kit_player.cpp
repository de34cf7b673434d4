#include "stepweave/sound/voices/kit_player.h"

#include "stepweave/sound/files/errors.h"

namespace stepweave {

KitPlayer::KitPlayer() {
    items_.OnRemoving = [this](WaveCollectionItem& item) { voices_.erase(&item); };
}

KitPlayer::~KitPlayer() {
    SetDevice(nullptr);
    Unbind();
}

SampleVoice& KitPlayer::Voice(WaveCollectionItem& item) {
    std::unique_ptr<SampleVoice>& voice = voices_[&item];
    if (!voice) {
        voice = std::make_unique<SampleVoice>(*this, item);
    }
    return *voice;
}

void KitPlayer::SetDevice(SoundDevice* device) {
    if (device == device_) {
        return;
    }
    if (device_ != nullptr) {
        device_->RemoveListener(this);
        Unbind();
    }
    device_ = device;
    if (device == nullptr) {
        return;
    }
    device->AddListener(this, [this](SoundDevice& sender, DeviceEvent event) { OnDeviceEvent(sender, event); });
    if (device->IsOpen()) {
        Bind(*device);
        Restore();
    }
}

void KitPlayer::OnDeviceEvent(SoundDevice& device, DeviceEvent event) {
    switch (event) {
        case DeviceEvent::Going:
            SetDevice(nullptr);
            break;
        case DeviceEvent::Opening:
        case DeviceEvent::Closing:
            Unbind();
            break;
        case DeviceEvent::Opened:
            Bind(device);
            break;
        case DeviceEvent::Restoring:
            Restore();
            break;
    }
}

void KitPlayer::Bind(SoundDevice& device) {
    Unbind();
    bound_ = &device;
    for (int i = 0; i < items_.Count(); ++i) {
        Voice(items_.Items(i)).MakeMaster();
    }
    playing_.StartSweeping(device.Timers());
}

void KitPlayer::Unbind() {
    playing_.Clear();
    for (auto& [item, voice] : voices_) {
        voice->FreeMaster();
    }
    bound_ = nullptr;
}

void KitPlayer::Restore() {
    for (int i = 0; i < items_.Count(); ++i) {
        try {
            Voice(items_.Items(i)).Restore();
        } catch (const StepweaveError&) {
            // Left without a voice; a play of this slot reports the reason.
        }
    }
}

}  // namespace stepweave
