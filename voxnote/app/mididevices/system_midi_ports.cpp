#include "voxnote/app/mididevices/system_midi_ports.h"

#include <rtmidi/RtMidi.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "voxnote/app/mididevices/midi_output_device.h"

#if defined(__linux__) && defined(VOXNOTE_WITH_ALSA_SEQUENCER)
#include <alsa/asoundlib.h>
#endif

namespace voxnote {

namespace {

// Port type bits of the Linux sequencer.
constexpr unsigned kTypeMidiGm = 1u << 2;
constexpr unsigned kTypeMidiGs = 1u << 3;
constexpr unsigned kTypeMidiXg = 1u << 4;
constexpr unsigned kTypeMidiGm2 = 1u << 6;
constexpr unsigned kTypeSynth = 1u << 10;
constexpr unsigned kTypeDirectSample = 1u << 11;
constexpr unsigned kTypeSample = 1u << 12;
constexpr unsigned kTypeSynthesizer = 1u << 18;

constexpr unsigned kPlaysVoices =
    kTypeMidiGm | kTypeMidiGs | kTypeMidiXg | kTypeMidiGm2 | kTypeSynth | kTypeDirectSample | kTypeSample |
    kTypeSynthesizer;

#if defined(__linux__) && defined(VOXNOTE_WITH_ALSA_SEQUENCER)
static_assert(kTypeMidiGm == SND_SEQ_PORT_TYPE_MIDI_GM && kTypeMidiGs == SND_SEQ_PORT_TYPE_MIDI_GS &&
              kTypeMidiXg == SND_SEQ_PORT_TYPE_MIDI_XG && kTypeMidiGm2 == SND_SEQ_PORT_TYPE_MIDI_GM2 &&
              kTypeSynth == SND_SEQ_PORT_TYPE_SYNTH && kTypeDirectSample == SND_SEQ_PORT_TYPE_DIRECT_SAMPLE &&
              kTypeSample == SND_SEQ_PORT_TYPE_SAMPLE && kTypeSynthesizer == SND_SEQ_PORT_TYPE_SYNTHESIZER);

// Asks the sequencer for the type of the ports that RtMidi names
// "client:port C:P" (C and P the client and port numbers).
class SequencerPortTypes {
public:
    SequencerPortTypes() {
        if (snd_seq_open(&sequencer_, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
            sequencer_ = nullptr;
        }
    }
    ~SequencerPortTypes() {
        if (sequencer_) {
            snd_seq_close(sequencer_);
        }
    }

    std::optional<unsigned> TypeOf(const std::string& portName) const {
        int client = 0;
        int port = 0;
        const size_t space = portName.rfind(' ');
        if (!sequencer_ || space == std::string::npos ||
            std::sscanf(portName.c_str() + space + 1, "%d:%d", &client, &port) != 2) {
            return std::nullopt;
        }
        snd_seq_port_info_t* info = nullptr;
        snd_seq_port_info_alloca(&info);
        if (snd_seq_get_any_port_info(sequencer_, client, port, info) < 0) {
            return std::nullopt;
        }
        return snd_seq_port_info_get_type(info);
    }

private:
    snd_seq_t* sequencer_ = nullptr;
};
#else
class SequencerPortTypes {
public:
    std::optional<unsigned> TypeOf(const std::string&) const { return std::nullopt; }
};
#endif

}  // namespace

bool HasMidiSystem() {
#if defined(__linux__)
    std::error_code error;
    return std::filesystem::exists("/dev/snd/seq", error);
#else
    return true;
#endif
}

int TechnologyOfSequencerPort(unsigned portType) {
    return (portType & kPlaysVoices) ? midi_technology::kWavetableSynthesizer : midi_technology::kPort;
}

std::vector<SystemMidiPort> ListSystemMidiPorts() {
    std::vector<SystemMidiPort> ports;
    if (!HasMidiSystem()) {
        return ports;  // Setup tells the user, below its device list
    }
    try {
        RtMidiOut midi;
        midi.setErrorCallback([](RtMidiError::Type, const std::string&, void*) {}, nullptr);
        const SequencerPortTypes types;
        const unsigned count = midi.getPortCount();
        for (unsigned number = 0; number < count; ++number) {
            SystemMidiPort port;
            port.name = midi.getPortName(number);
            std::optional<unsigned> type = types.TypeOf(port.name);
            port.technology = type ? TechnologyOfSequencerPort(*type) : midi_technology::kPort;
            ports.push_back(std::move(port));
        }
    } catch (const RtMidiError&) {
        ports.clear();  // no MIDI system to ask
    }
    return ports;
}

}  // namespace voxnote
