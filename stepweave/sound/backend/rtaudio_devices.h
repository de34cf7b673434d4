#pragma once
// The output devices RtAudio offers, sound system by sound system (ALSA,
// PulseAudio or PipeWire, JACK: whichever the library was built with), and
// how a device named in STEPWEAVE_AUDIO=rtaudio:API:DEVICE is found among
// them. Asked quietly: a machine without sound gets one clear message from
// the program, not the complaints of every sound system it tried.
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RtAudio;

namespace stepweave {

struct OutputDevice {
    unsigned int id = 0;  // RtAudio's device number within its sound system
    std::string name;
    unsigned int channels = 0;
    bool isDefault = false;
};

struct SoundSystemDevices {
    std::string api;          // "alsa", "pulse", "jack": what rtaudio:API takes
    std::string displayName;  // "ALSA", "Pulse", "Jack"
    std::vector<OutputDevice> devices;  // those with at least one output channel
};

// Every compiled sound system but RtAudio's placeholder, with its output devices.
std::vector<SoundSystemDevices> ListOutputDevices();

// RtAudio for the sound system called `api` ("alsa", "pulse", "jack", in any
// letter case); nullptr when the library was built without it.
std::unique_ptr<RtAudio> OpenSoundSystem(const std::string& api);
// The names of the compiled sound systems, "alsa, pulse, jack".
std::string CompiledSoundSystemNames();

// The output devices of an opened sound system.
std::vector<OutputDevice> OutputDevicesOf(RtAudio& audio);

// The device that `wanted` names: its number, its name, or a name's ALSA
// address ("hw:1" finds "hw:1,0" and "HDA Intel (hw:1,0)").
std::optional<OutputDevice> FindOutputDevice(const std::vector<OutputDevice>& devices, const std::string& wanted);

}  // namespace stepweave
