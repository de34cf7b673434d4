// A live run of the converter without its window, for the JACK check: the
// session with the system's MIDI devices and the recording device that
// VOXNOTE_AUDIO_IN names (a WAV file played in real time), its notes played
// on voxnote's virtual port "Voxnote". The run starts once another client
// is connected to the port on JACK, so that it hears every note, and stops
// after the given number of seconds.
//
// Usage: jack_live_run SECONDS SETTINGS.ini
#include <jack/jack.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/mididevices/system_midi_devices.h"
#include "voxnote/app/session/converter_session.h"
#include "voxnote/app/settings/string_table.h"

namespace {

using namespace voxnote;

class PrintingPrompt : public UserPrompt {
public:
    void Report(MessageKind, const std::string& text) override { std::cerr << "voxnote: " << text << '\n'; }
    bool AskYesNo(const std::string& text) override {
        Report(MessageKind::Warning, text);
        return false;
    }
    bool AskOkCancel(const std::string& text) override { return AskYesNo(text); }
    std::optional<std::string> ChooseProgramFile() override { return std::nullopt; }
};

class NoPrograms : public ProgramStarter {
public:
    bool Start(const std::string&) override { return false; }
};

int VirtualPortNumber(SystemMidiDevices& devices) {
    for (int number = 0; number < devices.Count(); ++number) {
        if (devices.Device(number)->Name() == Text(strings::kVirtualPortEntry)) return number;
    }
    return -1;
}

// Waits up to ten seconds for a connection to "Voxnote:Voxnote".
bool WaitForListener() {
    jack_client_t* client = jack_client_open("jack_live_run", JackNoStartServer, nullptr);
    if (client == nullptr) return false;
    bool connected = false;
    for (int wait = 0; wait < 1000 && !connected; ++wait) {
        if (jack_port_t* port = jack_port_by_name(client, "Voxnote:Voxnote")) {
            connected = jack_port_connected(port) > 0;
        }
        if (!connected) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    jack_client_close(client);
    return connected;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jack_live_run SECONDS SETTINGS.ini\n";
        return 2;
    }
    SystemMidiDevices devices;
    const int port = VirtualPortNumber(devices);
    if (port < 0) {
        for (const std::string& notice : devices.Notices()) std::cerr << notice << '\n';
        return 1;
    }
    std::cout << "the virtual port is device " << port << std::endl;
    if (!WaitForListener()) {
        std::cerr << "nobody connected to Voxnote:Voxnote\n";
        return 1;
    }
    PrintingPrompt prompt;
    NoPrograms programs;
    ConverterServices services;
    services.profilePath = argv[2];
    services.prompt = &prompt;
    services.programStarter = &programs;
    services.midiDevices = &devices;
    ConverterSession session(std::move(services));
    session.SetMidiDevice(port);
    session.PressRecordToggle();
    if (!session.IsRunActive()) {
        std::cerr << "the live run did not start\n";
        return 1;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[1]));
    while (std::chrono::steady_clock::now() < end && session.IsRunActive()) {
        session.Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (session.IsRunActive()) session.PressRecordToggle();
    // Time for the last note's end to leave through JACK.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::cout << "the live run ended" << std::endl;
    return 0;
}
