#pragma once
// The MIDI output devices of the system, numbered from 0. Count() looks at
// the system again (ports come and go); Device() then hands out the device
// of that number from the last count.
#include <memory>
#include <string>
#include <vector>

#include "voxnote/app/mididevices/midi_output_device.h"

namespace voxnote {

class MidiDeviceCatalog {
public:
    virtual ~MidiDeviceCatalog() = default;
    virtual int Count() = 0;
    // Null when there is no such device or its capabilities cannot be read.
    virtual std::shared_ptr<MidiOutputDevice> Device(int number) = 0;
    // What the catalog would offer but cannot here, each with the reason
    // (shown below the device list in Setup).
    virtual std::vector<std::string> Notices() const { return {}; }
};

}  // namespace voxnote
