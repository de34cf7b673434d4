#include "stepweave/sound/device/sample_voice.h"

#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/device/kit_playback.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

SampleVoice::SampleVoice(WaveCollectionItem& item) : item_(item) {}

SampleVoice::~SampleVoice() = default;

void SampleVoice::Initialize() {
    TCustomDXSound* device = item_.Collection().Playback().Device();
    if (device != nullptr && device->DSound() != nullptr && !master_) {
        master_ = std::make_unique<TDirectSoundBuffer>(*device->DSound());
    }
}

void SampleVoice::Finalize() { master_.reset(); }

void SampleVoice::Restore() {
    KitPlayback& playback = item_.Collection().Playback();
    if (!playback.IsBound()) {
        return;
    }
    Initialize();
    const WaveData& wave = item_.Wave();
    TWaveFormatEx format;
    if (!ReadWaveFormatRecord(wave.Format(), wave.FormatSize(), format)) {
        master_->Release();
        throw EDirectSoundBufferError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    master_->LoadFromMemory(format, wave.Data(), static_cast<uint32_t>(wave.Size()),
                            playback.Device()->BufferFlags());
}

TDirectSoundBuffer* SampleVoice::MasterBuffer() {
    if (!item_.Collection().Playback().IsBound()) {
        return nullptr;
    }
    if (!master_ || !master_->HasInterface()) {
        Restore();
    }
    return master_.get();
}

void SampleVoice::Play(bool wait) {
    KitPlayback& playback = item_.Collection().Playback();
    if (!playback.IsBound()) {
        return;
    }
    TDirectSoundBuffer* master = MasterBuffer();
    if (master == nullptr || !master->HasInterface()) {
        throw EWaveCollectionError(FormatMessage("%s cannot be initialized", "TWaveCollectionItem"));
    }
    if (master->IsLost()) {
        Restore();
    }
    auto copy = std::make_unique<TDirectSoundBuffer>(*playback.Device()->DSound());
    if (!copy->Duplicate(*master)) {
        throw EDirectSoundBufferError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    copy->SetPan(item_.Pan());
    copy->SetVolume(item_.Volume());
    copy->Play(false);
    if (!wait) {
        playback.AddPlaying(std::move(copy));
        return;
    }
    MillisecondClock& clock = playback.Device()->Timers().Clock();
    while (copy->Playing()) {
        clock.SleepUntil(clock.Now() + kWaitPollMilliseconds);
    }
}

}  // namespace stepweave
