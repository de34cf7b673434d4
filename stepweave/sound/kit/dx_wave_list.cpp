#include "stepweave/sound/kit/dx_wave_list.h"

namespace stepweave {

void TCustomDXWaveList::SetItems(const WaveCollection& source) {
    if (&source == &items_) {
        return;
    }
    items_.Clear();
    for (int i = 0; i < source.Count(); ++i) {
        items_.Add().SetName(source.Items(i).Name());
    }
}

void TCustomDXWaveList::SetDXSound(TCustomDXSound* sound) {
    if (sound == dxSound_) {
        return;
    }
    if (dxSound_ != nullptr) {
        dxSound_->UnRegisterNotifyEvent(this);
        items_.Playback().Finalize();
    }
    dxSound_ = sound;
    if (sound == nullptr) {
        return;
    }
    sound->RegisterNotifyEvent(this, [this](TCustomDXSound& sender, TDXSoundNotifyType type) {
        DXSoundNotify(sender, type);
    });
    if (sound->Initialized()) {
        items_.Playback().Initialize(*sound);
        items_.Playback().Restore();
    }
}

void TCustomDXWaveList::DXSoundNotify(TCustomDXSound& sender, TDXSoundNotifyType type) {
    switch (type) {
        case TDXSoundNotifyType::dsntDestroying:
            SetDXSound(nullptr);
            break;
        case TDXSoundNotifyType::dsntInitializing:
        case TDXSoundNotifyType::dsntFinalize:
            items_.Playback().Finalize();
            break;
        case TDXSoundNotifyType::dsntInitialize:
            items_.Playback().Initialize(sender);
            break;
        case TDXSoundNotifyType::dsntRestore:
            items_.Playback().Restore();
            break;
    }
}

}  // namespace stepweave
