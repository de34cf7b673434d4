#pragma once
// The component that owns a kit: its wave collection, published as Items,
// and the sound device it plays through, published as DXSound.
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

class TCustomDXWaveList {
public:
    TCustomDXWaveList() : items_(this) {}
    virtual ~TCustomDXWaveList() { SetDXSound(nullptr); }
    TCustomDXWaveList(const TCustomDXWaveList&) = delete;
    TCustomDXWaveList& operator=(const TCustomDXWaveList&) = delete;

    WaveCollection& Items() { return items_; }
    const WaveCollection& Items() const { return items_; }
    // Rebuilds the collection with one item per source item, carrying the
    // source item's name only (waves are not copied).
    void SetItems(const WaveCollection& source);

    TCustomDXSound* DXSound() const { return dxSound_; }
    // Registers the kit with the device (and unregisters it from the one
    // before). With the device already initialised, the kit is initialised
    // and restored at once. A device that goes away unbinds the kit.
    void SetDXSound(TCustomDXSound* sound);

private:
    void DXSoundNotify(TCustomDXSound& sender, TDXSoundNotifyType type);

    WaveCollection items_;
    TCustomDXSound* dxSound_ = nullptr;
};

class TDXWaveList : public TCustomDXWaveList {};

}  // namespace stepweave
