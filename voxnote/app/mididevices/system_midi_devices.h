#pragma once
// The MIDI output devices of this computer: the built-in General MIDI
// synthesizer first (when a soundfont for it is installed), so that device
// 0, the choice at start-up, is heard everywhere; then the system's MIDI
// output ports.
#include <memory>
#include <vector>

#include "voxnote/app/mididevices/midi_device_catalog.h"

namespace voxnote {

class SystemMidiDevices : public MidiDeviceCatalog {
public:
    SystemMidiDevices();

    int Count() override;
    std::shared_ptr<MidiOutputDevice> Device(int number) override;

private:
    // Kept across counts: it holds the loaded soundfont.
    std::shared_ptr<MidiOutputDevice> builtinSynth_;
    std::vector<std::shared_ptr<MidiOutputDevice>> devices_;
};

}  // namespace voxnote
