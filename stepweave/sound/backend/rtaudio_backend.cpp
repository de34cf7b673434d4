#include "stepweave/sound/backend/rtaudio_backend.h"

#include <rtaudio/RtAudio.h>

#include <cmath>
#include <vector>

#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/mixer/mixer.h"
#include "stepweave/sound/backend/rtaudio_devices.h"
#include "stepweave/sound/timing/millisecond_clock.h"

namespace stepweave {

namespace {

constexpr const char* kWayOut = "; set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record";

// The first sound system that has an output device.
std::unique_ptr<RtAudio> OpenFirstSoundSystemWithDevices() {
    for (const SoundSystemDevices& system : ListOutputDevices()) {
        if (!system.devices.empty()) {
            return OpenSoundSystem(system.api);
        }
    }
    return nullptr;
}

// Why no device opened on a machine without one: the sound systems asked,
// and what RtAudio itself says when asked for a default output there.
std::string WhyNoDevice() {
    const std::string asked = "no sound output device was found through " + CompiledSoundSystemNames();
    const std::vector<SoundSystemDevices> systems = ListOutputDevices();
    std::unique_ptr<RtAudio> audio = systems.empty() ? nullptr : OpenSoundSystem(systems.front().api);
    if (!audio) {
        return asked;
    }
    try {
        RtAudio::StreamParameters output;
        output.deviceId = audio->getDefaultOutputDevice();
        output.nChannels = Mixer::kChannels;
        unsigned int frames = RtAudioBackend::kPreferredBlockFrames;
        audio->openStream(&output, nullptr, RTAUDIO_FLOAT32, Mixer::kSampleRate, &frames,
                          [](void*, void*, unsigned int, double, RtAudioStreamStatus, void*) { return 0; });
        audio->closeStream();
    } catch (const RtAudioError& error) {
        return asked + " (RtAudio: " + error.getMessage() + ")";
    }
    return asked;
}

}  // namespace

RtAudioBackend::RtAudioBackend(std::string api, std::string device)
    : api_(std::move(api)), device_(std::move(device)) {}

RtAudioBackend::~RtAudioBackend() { Stop(); }

bool RtAudioBackend::Fail(const std::string& cause) {
    openFailure_ = cause + kWayOut;
    audio_.reset();
    return false;
}

bool RtAudioBackend::ChooseDevice(unsigned int& deviceId) {
    const std::string named = std::string(kAudioVariable) + "=rtaudio:" + api_;
    if (api_.empty()) {
        audio_ = OpenFirstSoundSystemWithDevices();
        if (!audio_) {
            return Fail(WhyNoDevice());
        }
        deviceId = audio_->getDefaultOutputDevice();
        return true;
    }
    audio_ = OpenSoundSystem(api_);
    if (!audio_) {
        return Fail(named + ": this program knows no sound system '" + api_ + "' (it has " +
                    CompiledSoundSystemNames() + ")");
    }
    const std::vector<OutputDevice> devices = OutputDevicesOf(*audio_);
    if (devices.empty()) {
        return Fail(named + ": " + RtAudio::getApiDisplayName(audio_->getCurrentApi()) + " has no output device");
    }
    if (device_.empty()) {
        deviceId = audio_->getDefaultOutputDevice();
        return true;
    }
    const std::optional<OutputDevice> device = FindOutputDevice(devices, device_);
    if (!device) {
        return Fail(named + ":" + device_ + ": no such output device (stepweave devices lists them)");
    }
    deviceId = device->id;
    return true;
}

bool RtAudioBackend::Open() {
    openFailure_.clear();
    try {
        RtAudio::StreamParameters output;
        if (!ChooseDevice(output.deviceId)) {
            return false;
        }
        output.nChannels = Mixer::kChannels;
        RtAudio::StreamOptions options;
        options.streamName = "stepweave";
        blockFrames_ = kPreferredBlockFrames;
        audio_->openStream(&output, nullptr, RTAUDIO_FLOAT32, Mixer::kSampleRate, &blockFrames_,
                           &RtAudioBackend::Callback, this, &options);
        return true;
    } catch (const RtAudioError& error) {
        return Fail(error.getMessage());
    }
}

uint32_t RtAudioBackend::LatencyMilliseconds() const {
    // Three blocks cover a block being played, one being rendered and the
    // bursts in which sound servers ask for blocks; 10 ms more for scheduling.
    const double blockMilliseconds = blockFrames_ * 1000.0 / Mixer::kSampleRate;
    return static_cast<uint32_t>(std::ceil(3 * blockMilliseconds)) + 10;
}

MillisecondClock& RtAudioBackend::Clock() { return SystemClock(); }

bool RtAudioBackend::Start(Mixer& mixer) {
    if (!audio_) {
        return false;
    }
    mixer_ = &mixer;
    try {
        audio_->startStream();
        return true;
    } catch (const RtAudioError& error) {
        openFailure_ = error.getMessage() + kWayOut;
        mixer_ = nullptr;
        return false;
    }
}

void RtAudioBackend::Stop() {
    if (!audio_) {
        return;
    }
    try {
        if (audio_->isStreamRunning()) {
            audio_->stopStream();
        }
        if (audio_->isStreamOpen()) {
            audio_->closeStream();
        }
    } catch (const RtAudioError&) {
        // The device is going away either way.
    }
    audio_.reset();
    mixer_ = nullptr;
}

int RtAudioBackend::Callback(void* output, void*, unsigned int frames, double, unsigned int, void* self) {
    auto& backend = *static_cast<RtAudioBackend*>(self);
    backend.mixer_->Process(static_cast<float*>(output), static_cast<int>(frames));
    return 0;
}

}  // namespace stepweave
