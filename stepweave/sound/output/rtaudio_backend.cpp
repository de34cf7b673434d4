#include "stepweave/sound/output/rtaudio_backend.h"

#include <rtaudio/RtAudio.h>

#include <cmath>
#include <vector>
#ifdef STEPWEAVE_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

#include "stepweave/sound/timing/millisecond_clock.h"
#include "stepweave/sound/output/mixer.h"

namespace stepweave {

namespace {

#ifdef STEPWEAVE_HAVE_ALSA
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

// The first sound system that has an output device, asked quietly: a machine
// without sound gets one clear message from the program, not the complaints
// of every sound system it tried.
std::unique_ptr<RtAudio> OpenFirstSoundSystemWithDevices() {
#ifdef STEPWEAVE_HAVE_ALSA
    snd_lib_error_set_handler(&IgnoreAlsaMessage);
#endif
    std::vector<RtAudio::Api> apis;
    RtAudio::getCompiledApi(apis);
    for (RtAudio::Api api : apis) {
        auto audio = std::make_unique<RtAudio>(api);
        audio->showWarnings(false);
        if (audio->getDeviceCount() > 0) {
            return audio;
        }
    }
    return nullptr;
}

}  // namespace

RtAudioBackend::RtAudioBackend() = default;

RtAudioBackend::~RtAudioBackend() { Stop(); }

bool RtAudioBackend::Open() {
    try {
        audio_ = OpenFirstSoundSystemWithDevices();
        if (!audio_) {
            return false;
        }
        RtAudio::StreamParameters output;
        output.deviceId = audio_->getDefaultOutputDevice();
        output.nChannels = Mixer::kChannels;
        RtAudio::StreamOptions options;
        options.streamName = "stepweave";
        blockFrames_ = kPreferredBlockFrames;
        audio_->openStream(&output, nullptr, RTAUDIO_FLOAT32, Mixer::kSampleRate, &blockFrames_,
                           &RtAudioBackend::Callback, this, &options);
        return true;
    } catch (const RtAudioError&) {
        audio_.reset();
        return false;
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
    } catch (const RtAudioError&) {
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
