#include "stepweave/sequencer/commands/kit_import.h"

#include <array>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sound/voices/kit_player.h"

namespace stepweave {

namespace {

struct VoiceSetting {
    bool present = false;
    int volume = 0;
    int pan = 0;
};

using KitSettings = std::array<VoiceSetting, InstrumentList::kLastKitInstrument + 1>;

KitSettings Remember(const WaveCollection& items) {
    KitSettings settings;
    for (int instrument = InstrumentList::kFirstKitInstrument; instrument <= InstrumentList::kLastKitInstrument;
         ++instrument) {
        const int index = items.IndexOf(InstrumentList::Label(instrument));
        if (index >= 0) {
            const WaveCollectionItem& item = items.Items(index);
            settings[static_cast<size_t>(instrument)] = {true, item.Volume(), item.Pan()};
        }
    }
    return settings;
}

void GiveBack(WaveCollection& items, const KitSettings& settings) {
    for (int instrument = InstrumentList::kFirstKitInstrument; instrument <= InstrumentList::kLastKitInstrument;
         ++instrument) {
        const VoiceSetting& setting = settings[static_cast<size_t>(instrument)];
        const int index = items.IndexOf(InstrumentList::Label(instrument));
        if (setting.present && index >= 0) {
            items.Items(index).SetVolume(setting.volume);
            items.Items(index).SetPan(setting.pan);
        }
    }
}

}  // namespace

void ImportKit(KitPlayer& kit, const std::string& kitFile) {
    WaveCollection imported;
    imported.LoadFromFile(kitFile);
    const KitSettings settings = Remember(kit.Items());
    kit.Items().AssignNamesAndWaves(imported);
    GiveBack(kit.Items(), settings);
}

}  // namespace stepweave
