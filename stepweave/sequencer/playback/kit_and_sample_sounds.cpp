#include "stepweave/sequencer/playback/kit_and_sample_sounds.h"

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/device/direct_sound.h"
#include "stepweave/sound/device/direct_sound_device.h"
#include "stepweave/sound/kit/dx_wave_list.h"

namespace stepweave {

void KitAndSampleSounds::PlayKitInstrument(int instrument, int volume) {
    WaveCollectionItem& item = drumKit_.Items().Find(InstrumentList::Label(instrument));
    item.SetVolume(volume);
    item.Play();
}

void KitAndSampleSounds::RestartUserSample(int sample) { samples_.Restart(sample); }

void KitAndSampleSounds::StopUserSample(int sample) { samples_.Stop(sample); }

void KitAndSampleSounds::BeginStep(uint32_t time) { SetStampTime(time); }

void KitAndSampleSounds::EndStep() { SetStampTime(std::nullopt); }

void KitAndSampleSounds::SetStampTime(std::optional<uint32_t> time) {
    TCustomDXSound* sound = drumKit_.DXSound();
    if (sound != nullptr && sound->DSound() != nullptr) {
        sound->DSound()->IDSound().Output().GetMixer().SetStampTime(time);
    }
}

}  // namespace stepweave
