#pragma once
// The MIDI output devices of the system, numbered from 0. Count() looks at
// the system again (ports come and go); Device() then hands out the device
// of that number from the last count.
#include <memory>

#include "voxnote/app/mididevices/midi_output_device.h"

namespace voxnote {

class MidiDeviceCatalog {
public:
    virtual ~MidiDeviceCatalog() = default;
    virtual int Count() = 0;
    // Null when there is no such device or its capabilities cannot be read.
    virtual std::shared_ptr<MidiOutputDevice> Device(int number) = 0;
};

}  // namespace voxnote
