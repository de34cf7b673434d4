#include "stepweave/sound/backend/rtaudio_devices.h"

#include <rtaudio/RtAudio.h>

#include <algorithm>
#include <charconv>
#ifdef STEPWEAVE_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace stepweave {

namespace {

#ifdef STEPWEAVE_HAVE_ALSA
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

void SilenceSoundSystemMessages() {
#ifdef STEPWEAVE_HAVE_ALSA
    snd_lib_error_set_handler(&IgnoreAlsaMessage);
#endif
}

std::vector<RtAudio::Api> CompiledApis() {
    std::vector<RtAudio::Api> apis;
    RtAudio::getCompiledApi(apis);
    apis.erase(std::remove(apis.begin(), apis.end(), RtAudio::RTAUDIO_DUMMY), apis.end());
    return apis;
}

std::optional<unsigned int> AsNumber(const std::string& text) {
    unsigned int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

// "hw:1" names "hw:1" and "hw:1,0", not "hw:10".
bool AddressMatches(const std::string& address, const std::string& wanted) {
    return address == wanted || (address.starts_with(wanted) && address[wanted.size()] == ',');
}

// The ALSA address in a name such as "HDA Intel PCH: ALC269 Analog (hw:0,0)".
std::string AddressInName(const std::string& name) {
    const size_t open = name.rfind('(');
    if (open == std::string::npos || name.back() != ')') {
        return name;
    }
    return name.substr(open + 1, name.size() - open - 2);
}

}  // namespace

std::unique_ptr<RtAudio> OpenSoundSystem(const std::string& api) {
    SilenceSoundSystemMessages();
    const RtAudio::Api id = RtAudio::getCompiledApiByName(api);
    if (id == RtAudio::UNSPECIFIED || id == RtAudio::RTAUDIO_DUMMY) {
        return nullptr;
    }
    auto audio = std::make_unique<RtAudio>(id);
    audio->showWarnings(false);
    return audio;
}

std::string CompiledSoundSystemNames() {
    std::string names;
    for (RtAudio::Api api : CompiledApis()) {
        names += (names.empty() ? "" : ", ") + RtAudio::getApiName(api);
    }
    return names;
}

std::vector<OutputDevice> OutputDevicesOf(RtAudio& audio) {
    std::vector<OutputDevice> devices;
    const unsigned int count = audio.getDeviceCount();
    for (unsigned int id = 0; id < count; ++id) {
        try {
            const RtAudio::DeviceInfo info = audio.getDeviceInfo(id);
            if (info.probed && info.outputChannels > 0) {
                devices.push_back({id, info.name, info.outputChannels, info.isDefaultOutput});
            }
        } catch (const RtAudioError&) {
            // A device that cannot be asked cannot be played on either.
        }
    }
    return devices;
}

std::vector<SoundSystemDevices> ListOutputDevices() {
    std::vector<SoundSystemDevices> systems;
    for (RtAudio::Api api : CompiledApis()) {
        SoundSystemDevices system{RtAudio::getApiName(api), RtAudio::getApiDisplayName(api), {}};
        if (std::unique_ptr<RtAudio> audio = OpenSoundSystem(system.api)) {
            system.devices = OutputDevicesOf(*audio);
        }
        systems.push_back(std::move(system));
    }
    return systems;
}

std::optional<OutputDevice> FindOutputDevice(const std::vector<OutputDevice>& devices, const std::string& wanted) {
    if (const std::optional<unsigned int> number = AsNumber(wanted)) {
        for (const OutputDevice& device : devices) {
            if (device.id == *number) {
                return device;
            }
        }
    }
    for (const OutputDevice& device : devices) {
        if (device.name == wanted) {
            return device;
        }
    }
    for (const OutputDevice& device : devices) {
        if (AddressMatches(AddressInName(device.name), wanted)) {
            return device;
        }
    }
    return std::nullopt;
}

}  // namespace stepweave
