#pragma once
// The entries of the "MIDI Playback Device" list: the product name of every
// synthesizer and MIDI port the catalog offers (square-wave synthesizers, the
// mapper, software synthesizers and devices whose capabilities cannot be read
// are left out), each with its device number, and which entry is selected.
#include <string>
#include <vector>

#include "voxnote/app/mididevices/midi_device_catalog.h"

namespace voxnote {

struct MidiDeviceChoice {
    std::string text;
    int deviceNumber = 0;

    bool operator==(const MidiDeviceChoice&) const = default;
};

struct MidiDeviceChoices {
    std::vector<MidiDeviceChoice> entries;
    size_t selected = 0;  // index into entries
};

// The entry whose device number is `currentDevice` is selected, else the
// first. When no device can be offered the list holds the single entry
// "No MIDI Devices!" with device number 0.
MidiDeviceChoices ListMidiPlaybackDevices(MidiDeviceCatalog& devices, int currentDevice);

}  // namespace voxnote
