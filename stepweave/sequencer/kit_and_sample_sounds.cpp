#include "stepweave/sequencer/kit_and_sample_sounds.h"

#include "stepweave/sequencer/instrument_list.h"
#include "stepweave/sequencer/user_samples.h"
#include "stepweave/sound/dx_wave_list.h"

namespace stepweave {

void KitAndSampleSounds::PlayKitInstrument(int instrument, int volume) {
    TWaveCollectionItem& item = drumKit_.Items().Find(InstrumentList::Label(instrument));
    item.SetVolume(volume);
    item.Play();
}

void KitAndSampleSounds::RestartUserSample(int sample) { samples_.Restart(sample); }

void KitAndSampleSounds::StopUserSample(int sample) { samples_.Stop(sample); }

}  // namespace stepweave
