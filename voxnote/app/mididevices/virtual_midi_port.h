#pragma once
// voxnote's own MIDI output port, "Voxnote", that other programs (a DAW, a
// synthesizer) connect to, so that a live run's notes reach them. It is a
// virtual port of RtMidi on every MIDI system the machine has: the ALSA
// sequencer (client and port "Voxnote") and a running JACK server (the port
// "Voxnote:Voxnote"); what is sent goes out on each. The port is made once,
// when the device list is first made, and stays while the program runs, so
// a connection made before a run still holds after it. Where no MIDI system
// can make it, the port is absent and Absence() says why.
//
// As a device it is a MIDI port (technology 1). Open and Close only take it
// into use and out of it; the port itself stays.
#include <memory>
#include <string>
#include <vector>

#include "voxnote/app/mididevices/midi_output_device.h"

class RtMidiOut;

namespace voxnote {

class VirtualMidiPort : public MidiOutputDevice {
public:
    VirtualMidiPort();
    ~VirtualMidiPort() override;

    bool IsAvailable() const { return !ports_.empty(); }
    // Why the port is absent; empty while it is there.
    const std::string& Absence() const { return absence_; }

    std::string Name() const override;
    int Technology() const override { return midi_technology::kPort; }
    bool Open() override;
    bool IsOpen() const override { return inUse_; }
    const std::string& OpenFailure() const override { return openFailure_; }
    bool SendShortMessage(uint32_t message) override;
    void Close() override { inUse_ = false; }

private:
    // The port on one MIDI system; empty, with the system's word in
    // `failure`, when it could not be made there.
    std::unique_ptr<RtMidiOut> MakePort(int api, std::string& failure);

    std::vector<std::unique_ptr<RtMidiOut>> ports_;
    std::string absence_;
    std::string openFailure_;
    std::string lastError_;
    bool inUse_ = false;
};

// The name other programs see: the client and its one port are both "Voxnote".
inline constexpr const char* kVirtualPortName = "Voxnote";

}  // namespace voxnote
