#pragma once
// A drum kit made playable: the kit's waves, the sound device it plays
// through, a voice for each of its slots and the copies still sounding.
// Binding to a device registers the kit with it: while the device is open,
// each slot has a master voice, reloaded when the device restores; a slot
// that leaves the kit takes its voice with it.
//
// Main thread only.
#include <memory>
#include <unordered_map>

#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/voices/sample_voice.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/voices/voice_pool.h"

namespace stepweave {

class KitPlayer {
public:
    KitPlayer();
    ~KitPlayer();
    KitPlayer(const KitPlayer&) = delete;
    KitPlayer& operator=(const KitPlayer&) = delete;

    WaveCollection& Items() { return items_; }
    const WaveCollection& Items() const { return items_; }

    // The device the kit is registered with, open or not.
    SoundDevice* Device() const { return device_; }
    // Registers the kit with the device (and unregisters it from the one
    // before). With the device already open, the kit is bound and restored
    // at once. A device that goes away unbinds the kit.
    void SetDevice(SoundDevice* device);
    // The device the kit is bound to while that device is open, else nullptr.
    SoundDevice* BoundDevice() const { return bound_; }
    bool IsBound() const { return bound_ != nullptr && bound_->IsOpen(); }

    // A new, overlapping copy of the item's sound with its current pan and
    // volume (SampleVoice::Play).
    void Play(WaveCollectionItem& item, bool wait = false) { Voice(item).Play(wait); }
    // The item's playable side, made when first asked for.
    SampleVoice& Voice(WaveCollectionItem& item);
    // The copies started without waiting, until the sweep frees them.
    VoicePool& Playing() { return playing_; }

    // The device's side: bind (an empty master object for every slot, and
    // the sweep), unbind (every copy and master freed), and reload every
    // slot's wave into its master voice. A slot that cannot be loaded (an
    // empty wave) is left without one; playing it reports why.
    void Bind(SoundDevice& device);
    void Unbind();
    void Restore();

private:
    void OnDeviceEvent(SoundDevice& device, DeviceEvent event);

    WaveCollection items_;
    SoundDevice* device_ = nullptr;
    SoundDevice* bound_ = nullptr;
    std::unordered_map<const WaveCollectionItem*, std::unique_ptr<SampleVoice>> voices_;
    VoicePool playing_;
};

}  // namespace stepweave
