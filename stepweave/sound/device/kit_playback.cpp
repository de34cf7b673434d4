#include "stepweave/sound/device/kit_playback.h"

#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/timer_scheduler.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

KitPlayback::KitPlayback(WaveCollection& kit) : kit_(kit) {}

KitPlayback::~KitPlayback() { Finalize(); }

bool KitPlayback::IsBound() const {
    return device_ != nullptr && device_->Initialized() && device_->DSound() != nullptr;
}

void KitPlayback::Initialize(TCustomDXSound& device) {
    Finalize();
    device_ = &device;
    for (int i = 0; i < kit_.Count(); ++i) {
        kit_.Items(i).Voice().Initialize();
    }
    sweep_ = std::make_unique<RepeatingTimer>(device.Timers(), kSweepMilliseconds, [this] { Sweep(); });
}

void KitPlayback::Finalize() {
    sweep_.reset();
    playing_.clear();
    for (int i = 0; i < kit_.Count(); ++i) {
        kit_.Items(i).Voice().Finalize();
    }
    device_ = nullptr;
}

void KitPlayback::Restore() {
    for (int i = 0; i < kit_.Count(); ++i) {
        try {
            kit_.Items(i).Voice().Restore();
        } catch (const EStepweaveError&) {
            // Left without a buffer; a play of this voice reports the reason.
        }
    }
}

void KitPlayback::AddPlaying(std::unique_ptr<TDirectSoundBuffer> copy) { playing_.push_back(std::move(copy)); }

void KitPlayback::Sweep() {
    for (auto i = static_cast<int>(playing_.size()) - 1; i >= 0; --i) {
        TDirectSoundBuffer& copy = *playing_[static_cast<size_t>(i)];
        if (!copy.HasInterface() || !copy.Playing()) {
            playing_.erase(playing_.begin() + i);
        }
    }
}

}  // namespace stepweave
