#include "stepweave/sequencer/playback/kit_and_sample_sounds.h"

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/kit_player.h"

namespace stepweave {

void KitAndSampleSounds::PlayKitInstrument(int instrument, int volume) {
    WaveCollectionItem& item = drumKit_.Items().Find(InstrumentList::Label(instrument));
    item.SetVolume(volume);
    drumKit_.Play(item);
}

void KitAndSampleSounds::RestartUserSample(int sample) { samples_.Restart(sample); }

void KitAndSampleSounds::StopUserSample(int sample) { samples_.Stop(sample); }

void KitAndSampleSounds::BeginStep(uint32_t time) { SetStampTime(time); }

void KitAndSampleSounds::EndStep() { SetStampTime(std::nullopt); }

void KitAndSampleSounds::SetStampTime(std::optional<uint32_t> time) {
    const SoundDevice* device = drumKit_.Device();
    if (device != nullptr && device->IsOpen()) {
        device->Output()->GetMixer().SetStampTime(time);
    }
}

}  // namespace stepweave
