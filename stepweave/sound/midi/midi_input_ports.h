#pragma once
// stepweave's MIDI input through RtMidi, on every MIDI system the machine
// has (see midi_systems.h): the input port "Stepweave" that other programs
// connect to (on the ALSA sequencer the client and port "Stepweave", on JACK
// "Stepweave:Stepweave"), and the system's own output ports that the user
// chose in Options (a pad controller, a keyboard), each opened by its name.
//
// A note-on of the drum map (any channel) becomes a hit of its kit slot at
// the level whose velocity lies nearest; every other message is ignored.
// Each port has an input thread of its own, on which the hits are handed to
// the handler, stamped with the clock's time of arrival: the handler must be
// safe to call from several threads at once and must not block.
//
// Opening and closing: main thread.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "stepweave/sound/midi/live_hit.h"
#include "stepweave/sound/midi/midi_systems.h"

class RtMidiIn;

namespace stepweave {

class MillisecondClock;

inline constexpr const char* kMidiInputPortName = "Stepweave";

// A port of the system as Options lists it and remembers it: the system's
// name in front of RtMidi's name of the port ("JACK: a2j:PadController").
std::string MidiPortChoiceName(MidiSystem system, const std::string& portName);

// The output ports of the other programs and devices, on every system that
// is there, as choice names; none of stepweave's own.
std::vector<std::string> ListMidiInputChoices();

// The hit a message makes, or nothing: a note-on of a mapped drum note
// with a velocity above 0.
bool HitOfMessage(const unsigned char* bytes, size_t size, LiveHit& hit);

class MidiInputPorts {
public:
    using HitHandler = std::function<void(const LiveHit& hit)>;

    MidiInputPorts(MillisecondClock& clock, HitHandler handler);
    ~MidiInputPorts();
    MidiInputPorts(const MidiInputPorts&) = delete;
    MidiInputPorts& operator=(const MidiInputPorts&) = delete;

    // Opens "Stepweave" on each system that is there.
    void OpenOwnPort();
    // Closes the chosen ports and opens those of the choice names (as
    // ListMidiInputChoices gives them) that are there now.
    void OpenChosenPorts(const std::vector<std::string>& choices);

    // What is open, as the user reads it: "Stepweave (JACK:
    // Stepweave:Stepweave)", "JACK: a2j:PadController".
    std::vector<std::string> OpenPorts() const;
    // Why a port could not be opened, one line each: the own port's at its
    // last opening, then the chosen ones'.
    std::vector<std::string> Problems() const;

private:
    struct Port;
    static void Received(double delta, std::vector<unsigned char>* message, void* port);
    std::unique_ptr<Port> OpenPort(MidiSystem system, const std::string& description,
                                   const std::function<void(RtMidiIn&)>& open, std::vector<std::string>& problems);

    MillisecondClock& clock_;
    HitHandler handler_;
    std::vector<std::unique_ptr<Port>> own_;
    std::vector<std::unique_ptr<Port>> chosen_;
    std::vector<std::string> ownProblems_;
    std::vector<std::string> chosenProblems_;
};

}  // namespace stepweave
