#include "stepweave/sound/voices/sample_voice.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/wave_collection_item.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/voice.h"

namespace stepweave {

SampleVoice::SampleVoice(KitPlayer& kit, WaveCollectionItem& item) : kit_(kit), item_(item) {}

SampleVoice::~SampleVoice() = default;

void SampleVoice::MakeMaster() {
    SoundDevice* device = kit_.BoundDevice();
    if (device != nullptr && device->IsOpen() && !master_) {
        master_ = std::make_unique<Voice>(*device);
    }
}

void SampleVoice::FreeMaster() { master_.reset(); }

void SampleVoice::Restore() {
    if (!kit_.IsBound()) {
        return;
    }
    MakeMaster();
    const WaveData& wave = item_.Wave();
    WaveFormat format;
    if (!ParsePlaybackFormat(wave.Format(), wave.FormatSize(), format)) {
        master_->Release();
        throw VoiceError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    master_->LoadFromMemory(format, wave.Data(), static_cast<uint32_t>(wave.Size()));
}

Voice* SampleVoice::MasterVoice() {
    if (!kit_.IsBound()) {
        return nullptr;
    }
    if (!master_ || !master_->IsMade()) {
        Restore();
    }
    return master_.get();
}

void SampleVoice::Play(bool wait) {
    if (!kit_.IsBound()) {
        return;
    }
    Voice* master = MasterVoice();
    if (master == nullptr || !master->IsMade()) {
        // The system's message names the kit item's class as it always has.
        throw WaveCollectionError(FormatMessage("%s cannot be initialized", "TWaveCollectionItem"));
    }
    if (master->IsLost()) {
        Restore();
    }
    SoundDevice& device = *kit_.BoundDevice();
    auto copy = std::make_unique<Voice>(device);
    if (!copy->Duplicate(*master)) {
        throw VoiceError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    copy->SetPan(item_.Pan());
    copy->SetVolume(item_.Volume());
    copy->Play(false);
    if (!wait) {
        kit_.Playing().Add(std::move(copy));
        return;
    }
    MillisecondClock& clock = device.Timers().Clock();
    while (copy->Playing()) {
        clock.SleepUntil(clock.Now() + kWaitPollMilliseconds);
    }
}

}  // namespace stepweave
