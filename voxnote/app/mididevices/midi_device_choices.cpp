#include "voxnote/app/mididevices/midi_device_choices.h"

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

MidiDeviceChoices ListMidiPlaybackDevices(MidiDeviceCatalog& devices, int currentDevice) {
    MidiDeviceChoices choices;
    const int count = devices.Count();
    for (int number = 0; number < count; ++number) {
        std::shared_ptr<MidiOutputDevice> device = devices.Device(number);
        if (!device || !IsListedTechnology(device->Technology())) {
            continue;
        }
        if (number == currentDevice) {
            choices.selected = choices.entries.size();
        }
        choices.entries.push_back({device->Name(), number});
    }
    if (choices.entries.empty()) {
        choices.entries.push_back({Text(strings::kNoMidiDevices), 0});
    }
    return choices;
}

}  // namespace voxnote
