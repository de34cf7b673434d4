#include "stepweave/sequencer/editor/instrument_chooser.h"

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/voices/kit_player.h"

namespace stepweave {

namespace {

// The chooser's text as an instrument: unlisted texts count as the last kit
// instrument, as the chooser's preview and pan rules treat them.
int ChosenInstrument(const std::string& chooserText) {
    const int index = InstrumentList::IndexOf(chooserText);
    return index == InstrumentList::kNotFound ? InstrumentList::kLastKitInstrument : index;
}

WaveCollectionItem* KitItem(const KitPlayer& kit, int instrument) {
    const int index = kit.Items().IndexOf(InstrumentList::Label(instrument));
    if (index < 0) {
        return nullptr;
    }
    return &kit.Items().Items(index);
}

}  // namespace

std::optional<int> ChooserPan(const KitPlayer& kit, const std::string& chooserText) {
    int instrument = ChosenInstrument(chooserText);
    if (instrument == 0) {
        return std::nullopt;
    }
    if (InstrumentList::IsUserSample(instrument)) {
        instrument = InstrumentList::kLastKitInstrument;
    }
    const WaveCollectionItem* item = KitItem(kit, instrument);
    if (item == nullptr) {
        return std::nullopt;
    }
    return item->Pan();
}

PanSliderResult SetPanFromSlider(KitPlayer& kit, const std::string& chooserText, int pan) {
    const int instrument = InstrumentList::IndexOf(chooserText);
    if (InstrumentList::IsUserSample(instrument)) {
        return PanSliderResult::RefusedForSample;
    }
    if (!InstrumentList::IsKitInstrument(instrument)) {
        return PanSliderResult::Ignored;
    }
    WaveCollectionItem* item = KitItem(kit, instrument);
    if (item == nullptr) {
        return PanSliderResult::Ignored;
    }
    item->SetPan(pan);
    return PanSliderResult::KitPanSet;
}

bool PreviewInstrument(KitPlayer& kit, UserSamples& samples, const std::string& chooserText) {
    const int instrument = ChosenInstrument(chooserText);
    try {
        if (InstrumentList::IsKitInstrument(instrument)) {
            WaveCollectionItem* item = KitItem(kit, instrument);
            if (item == nullptr) {
                return false;
            }
            kit.Play(*item);
            return true;
        }
        if (InstrumentList::IsUserSample(instrument)) {
            samples.Restart(InstrumentList::UserSampleNumber(instrument));
            return true;
        }
    } catch (const StepweaveError&) {
        // A preview that cannot sound is not worth a message: the edit stands.
    }
    return false;
}

}  // namespace stepweave
