#pragma once
// The MIDI output devices of this computer: the built-in General MIDI
// synthesizer first (when a soundfont for it is installed), so that device
// 0, the choice at start-up, is heard everywhere; then voxnote's own virtual
// port "Voxnote" for other programs (when the MIDI system can make it), so
// that its number stays put too; then every MIDI output port of the system.
#include <memory>
#include <vector>

#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/mididevices/virtual_midi_port.h"

namespace voxnote {

class SystemMidiDevices : public MidiDeviceCatalog {
public:
    SystemMidiDevices();

    int Count() override;
    std::shared_ptr<MidiOutputDevice> Device(int number) override;
    std::vector<std::string> Notices() const override;

private:
    // Kept across counts: it holds the loaded soundfont.
    std::shared_ptr<MidiOutputDevice> builtinSynth_;
    // Made with the catalog and kept, so that connections to it hold.
    std::shared_ptr<VirtualMidiPort> virtualPort_;
    std::vector<std::shared_ptr<MidiOutputDevice>> devices_;
};

}  // namespace voxnote
