#include "stepweave/sound/midi/midi_systems.h"

#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

#include <filesystem>
#include <system_error>

namespace stepweave {

namespace {

void Quiet(const char*) {}

bool HasAlsaSequencer() {
    std::error_code error;
    return std::filesystem::exists("/dev/snd/seq", error);
}

// JACK reports through one callback for the whole process: kept quiet while
// it is asked, then given back.
bool HasJackServer() {
    void (*const reportError)(const char*) = jack_error_callback;
    void (*const reportInfo)(const char*) = jack_info_callback;
    jack_set_error_function(&Quiet);
    jack_set_info_function(&Quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open("stepweave-look", JackNoStartServer, &status);
    if (client != nullptr) {
        jack_client_close(client);
    }
    jack_set_error_function(reportError);
    jack_set_info_function(reportInfo);
    return client != nullptr;
}

}  // namespace

std::vector<MidiSystemPresence> LookForMidiSystems() {
    return {{MidiSystem::AlsaSequencer, HasAlsaSequencer()}, {MidiSystem::Jack, HasJackServer()}};
}

std::string MidiSystemName(MidiSystem system) { return system == MidiSystem::Jack ? "JACK" : "ALSA sequencer"; }

int RtMidiApiOf(MidiSystem system) { return system == MidiSystem::Jack ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA; }

}  // namespace stepweave
