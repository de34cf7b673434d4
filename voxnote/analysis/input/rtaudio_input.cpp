#include "voxnote/analysis/input/rtaudio_input.h"

#include <rtaudio/RtAudio.h>

#include <algorithm>
#include <vector>

namespace voxnote {

namespace {

// 20 ms pieces: small enough for a prompt position, large enough not to
// trouble the sound server.
constexpr unsigned int kPiecesPerSecond = 50;

// The input devices in the order RtAudio lists them.
std::vector<RtAudio::DeviceInfo> InputDevices(RtAudio& audio) {
    std::vector<RtAudio::DeviceInfo> devices;
    const unsigned int count = audio.getDeviceCount();
    for (unsigned int id = 0; id < count; ++id) {
        RtAudio::DeviceInfo info = audio.getDeviceInfo(id);
        if (info.probed && info.inputChannels > 0) {
            devices.push_back(std::move(info));
        }
    }
    return devices;
}

// 11025 Hz when offered; else the device's preferred rate, or the lowest it
// lists from 22050 Hz up, as long as the converter takes it.
unsigned int ChooseRate(const RtAudio::DeviceInfo& info) {
    const auto& rates = info.sampleRates;
    if (std::find(rates.begin(), rates.end(), kCaptureSampleRate) != rates.end()) {
        return kCaptureSampleRate;
    }
    std::vector<unsigned int> candidates;
    if (info.preferredSampleRate != 0) {
        candidates.push_back(info.preferredSampleRate);
    }
    std::vector<unsigned int> sorted(rates);
    std::sort(sorted.begin(), sorted.end());
    for (unsigned int rate : sorted) {
        if (rate >= 2 * kCaptureSampleRate) {
            candidates.push_back(rate);
        }
    }
    candidates.insert(candidates.end(), {44100, 48000});
    for (unsigned int rate : candidates) {
        if (PolyphaseResampler::Create(rate, kCaptureSampleRate)) {
            return rate;
        }
    }
    return 0;
}

// Without this, RtAudio raises its stream errors as exceptions, and one raised
// in the device's thread would end the program. A device that fails while
// recording stops delivering blocks; the calls made from the main thread are
// checked by the stream's state instead.
void IgnoreStreamError(RtAudioError::Type, const std::string&) {}

}  // namespace

RtAudioInput::RtAudioInput() {
    try {
        audio_ = std::make_unique<RtAudio>();
        audio_->showWarnings(false);
    } catch (const RtAudioError&) {
        audio_.reset();
    }
}

// The session has given back and unprepared its blocks by now; only the
// stream is left to end.
RtAudioInput::~RtAudioInput() {
    if (audio_) {
        StopDevice();
        CloseDevice();
    }
}

int RtAudioInput::DeviceCount() {
    if (!audio_) {
        return 0;
    }
    try {
        return static_cast<int>(InputDevices(*audio_).size());
    } catch (const RtAudioError&) {
        return 0;
    }
}

bool RtAudioInput::DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) {
    if (!audio_ || device < 0) {
        return false;
    }
    try {
        const std::vector<RtAudio::DeviceInfo> devices = InputDevices(*audio_);
        if (static_cast<size_t>(device) >= devices.size()) {
            return false;
        }
        capabilities.name = devices[device].name;
        capabilities.channels = static_cast<int>(devices[device].inputChannels);
        return true;
    } catch (const RtAudioError&) {
        return false;
    }
}

bool RtAudioInput::OpenDevice() {
    if (!audio_) {
        return false;
    }
    try {
        if (audio_->getDeviceCount() == 0) {
            return false;
        }
        RtAudio::StreamParameters input;
        input.deviceId = audio_->getDefaultInputDevice();
        input.nChannels = 1;
        const RtAudio::DeviceInfo info = audio_->getDeviceInfo(input.deviceId);
        const unsigned int rate = ChooseRate(info);
        unsigned int pieceFrames = std::max(rate / kPiecesPerSecond, 1u);
        if (rate == 0 || !PrepareConversion(rate, pieceFrames)) {
            return false;
        }
        RtAudio::StreamOptions options;
        options.streamName = "voxnote";
        audio_->openStream(nullptr, &input, RTAUDIO_FLOAT32, rate, &pieceFrames, &RtAudioInput::Callback, this,
                           &options, &IgnoreStreamError);
        return audio_->isStreamOpen();
    } catch (const RtAudioError&) {
        return false;
    }
}

bool RtAudioInput::StartDevice() {
    try {
        audio_->startStream();
        return audio_->isStreamRunning();
    } catch (const RtAudioError&) {
        return false;
    }
}

void RtAudioInput::StopDevice() {
    try {
        if (audio_->isStreamRunning()) {
            audio_->stopStream();
        }
    } catch (const RtAudioError&) {
        // The stream is going away either way.
    }
}

void RtAudioInput::CloseDevice() {
    try {
        if (audio_->isStreamOpen()) {
            audio_->closeStream();
        }
    } catch (const RtAudioError&) {
        // Nothing more can be done about a device that will not close.
    }
}

// The device's thread: converts and stores what the device recorded.
int RtAudioInput::Callback(void*, void* input, unsigned int frames, double, unsigned int, void* self) {
    if (input != nullptr) {
        static_cast<RtAudioInput*>(self)->DeliverDeviceSamples(static_cast<const float*>(input), frames);
    }
    return 0;
}

}  // namespace voxnote
