#pragma once
// A MIDI output port of the system (through RtMidi) as a MIDI output device.
// The port is found again by its name when opened, since port numbers shift
// as other ports come and go.
#include <memory>
#include <string>

#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/mididevices/system_midi_ports.h"

class RtMidiOut;

namespace voxnote {

class RtMidiPortDevice : public MidiOutputDevice {
public:
    explicit RtMidiPortDevice(SystemMidiPort port);
    ~RtMidiPortDevice() override;

    std::string Name() const override { return port_.name; }
    int Technology() const override { return port_.technology; }
    bool Open() override;
    bool IsOpen() const override { return midi_ != nullptr; }
    const std::string& OpenFailure() const override { return openFailure_; }
    bool SendShortMessage(uint32_t message) override;
    void Close() override;

private:
    const SystemMidiPort port_;
    std::unique_ptr<RtMidiOut> midi_;
    std::string openFailure_;
    std::string lastError_;
};

}  // namespace voxnote
