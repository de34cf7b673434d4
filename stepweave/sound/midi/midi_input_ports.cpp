#include "stepweave/sound/midi/midi_input_ports.h"

#include <rtmidi/RtMidi.h>

#include <regex>

#include "stepweave/sound/midi/drum_note_map.h"
#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

namespace {

constexpr unsigned char kNoteOn = 0x90;
constexpr const char* kLookingClientName = "stepweave-look";

void KeepError(RtMidiError::Type, const std::string& text, void* lastError) {
    *static_cast<std::string*>(lastError) = text;
}

// The ALSA sequencer numbers its clients anew at every start: "PadController:PadController
// MIDI 1 24:0" is the same port as "... 28:0" was.
std::string WithoutSequencerAddress(const std::string& name) {
    static const std::regex address(" [0-9]+:[0-9]+$");
    return std::regex_replace(name, address, "");
}

bool SamePort(MidiSystem system, const std::string& a, const std::string& b) {
    return a == b || (system == MidiSystem::AlsaSequencer && WithoutSequencerAddress(a) == WithoutSequencerAddress(b));
}

// The ports an input of the system may open; empty when it cannot be asked.
std::vector<std::string> PortsOf(MidiSystem system) {
    std::vector<std::string> names;
    try {
        std::string lastError;
        RtMidiIn input(static_cast<RtMidi::Api>(RtMidiApiOf(system)), kLookingClientName);
        input.setErrorCallback(&KeepError, &lastError);
        const unsigned count = input.getPortCount();
        for (unsigned number = 0; number < count && lastError.empty(); ++number) {
            names.push_back(input.getPortName(number));
        }
    } catch (const RtMidiError&) {
        names.clear();
    }
    return names;
}

}  // namespace

struct MidiInputPorts::Port {
    MidiInputPorts* owner = nullptr;
    std::string description;
    std::unique_ptr<RtMidiIn> input;
    std::string lastError;
};

std::string MidiPortChoiceName(MidiSystem system, const std::string& portName) {
    return MidiSystemName(system) + ": " + portName;
}

std::vector<std::string> ListMidiInputChoices() {
    std::vector<std::string> choices;
    for (const MidiSystemPresence& presence : LookForMidiSystems()) {
        if (!presence.present) {
            continue;
        }
        for (const std::string& port : PortsOf(presence.system)) {
            choices.push_back(MidiPortChoiceName(presence.system, port));
        }
    }
    return choices;
}

bool HitOfMessage(const unsigned char* bytes, size_t size, LiveHit& hit) {
    if (size < 3 || (bytes[0] & 0xF0) != kNoteOn || bytes[2] == 0) {
        return false;
    }
    const std::optional<int> slot = SlotOfDrumNote(bytes[1]);
    if (!slot) {
        return false;
    }
    hit.slot = static_cast<uint8_t>(*slot);
    hit.note = bytes[1];
    hit.velocity = bytes[2];
    hit.level = static_cast<uint8_t>(LevelOfVelocity(bytes[2]));
    return true;
}

MidiInputPorts::MidiInputPorts(MillisecondClock& clock, HitHandler handler)
    : clock_(clock), handler_(std::move(handler)) {}

MidiInputPorts::~MidiInputPorts() = default;

// On the port's input thread.
void MidiInputPorts::Received(double, std::vector<unsigned char>* message, void* port) {
    const MidiInputPorts& owner = *static_cast<Port*>(port)->owner;
    LiveHit hit;
    if (message != nullptr && HitOfMessage(message->data(), message->size(), hit)) {
        hit.receivedAt = owner.clock_.Now();
        owner.handler_(hit);
    }
}

std::unique_ptr<MidiInputPorts::Port> MidiInputPorts::OpenPort(MidiSystem system, const std::string& description,
                                                                const std::function<void(RtMidiIn&)>& open,
                                                                std::vector<std::string>& problems) {
    auto port = std::make_unique<Port>();
    port->owner = this;
    port->description = description;
    try {
        port->input = std::make_unique<RtMidiIn>(static_cast<RtMidi::Api>(RtMidiApiOf(system)), kMidiInputPortName);
        port->input->setErrorCallback(&KeepError, &port->lastError);
        port->input->setCallback(&MidiInputPorts::Received, port.get());
        open(*port->input);
    } catch (const RtMidiError& error) {
        port->lastError = error.getMessage();
    }
    if (!port->lastError.empty()) {
        problems.push_back(description + ": " + port->lastError);
        return nullptr;
    }
    return port;
}

void MidiInputPorts::OpenOwnPort() {
    own_.clear();
    ownProblems_.clear();
    for (const MidiSystemPresence& presence : LookForMidiSystems()) {
        if (!presence.present) {
            continue;
        }
        const std::string where = presence.system == MidiSystem::Jack ? "Stepweave:Stepweave" : "Stepweave";
        const std::string description =
            std::string(kMidiInputPortName) + " (" + MidiSystemName(presence.system) + ": " + where + ")";
        if (auto port = OpenPort(presence.system, description,
                                 [](RtMidiIn& input) { input.openVirtualPort(kMidiInputPortName); }, ownProblems_)) {
            own_.push_back(std::move(port));
        }
    }
}

void MidiInputPorts::OpenChosenPorts(const std::vector<std::string>& choices) {
    chosen_.clear();
    chosenProblems_.clear();
    for (const MidiSystemPresence& presence : LookForMidiSystems()) {
        if (!presence.present) {
            continue;
        }
        const std::vector<std::string> ports = PortsOf(presence.system);
        for (const std::string& choice : choices) {
            for (unsigned number = 0; number < ports.size(); ++number) {
                if (!SamePort(presence.system, MidiPortChoiceName(presence.system, ports[number]), choice)) {
                    continue;
                }
                if (auto port = OpenPort(presence.system, choice,
                                         [&](RtMidiIn& input) { input.openPort(number, kMidiInputPortName); },
                                         chosenProblems_)) {
                    chosen_.push_back(std::move(port));
                }
                break;
            }
        }
    }
}

std::vector<std::string> MidiInputPorts::Problems() const {
    std::vector<std::string> problems = ownProblems_;
    problems.insert(problems.end(), chosenProblems_.begin(), chosenProblems_.end());
    return problems;
}

std::vector<std::string> MidiInputPorts::OpenPorts() const {
    std::vector<std::string> open;
    for (const auto* ports : {&own_, &chosen_}) {
        for (const std::unique_ptr<Port>& port : *ports) {
            open.push_back(port->description);
        }
    }
    return open;
}

}  // namespace stepweave
