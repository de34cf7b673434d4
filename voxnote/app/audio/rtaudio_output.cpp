#include "voxnote/app/audio/rtaudio_output.h"

#include <rtaudio/RtAudio.h>

#include <algorithm>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr unsigned kFallbackSampleRate = 48000;

// The preferred rate when the device lists it, else the device's own.
unsigned ChooseRate(const RtAudio::DeviceInfo& info, unsigned preferredRate) {
    const auto& rates = info.sampleRates;
    if (std::find(rates.begin(), rates.end(), preferredRate) != rates.end()) {
        return preferredRate;
    }
    return info.preferredSampleRate ? info.preferredSampleRate : kFallbackSampleRate;
}

}  // namespace

RtAudioOutput::RtAudioOutput() = default;

RtAudioOutput::~RtAudioOutput() {
    Close();
}

bool RtAudioOutput::Open(unsigned preferredRate, unsigned framesPerBuffer, AudioRenderer& renderer,
                         std::string& failure) {
    Close();
    try {
        audio_ = std::make_unique<RtAudio>();
        audio_->showWarnings(false);
        if (audio_->getDeviceCount() == 0) {
            failure = Text(strings::kNoAudioOutput);
            audio_.reset();
            return false;
        }
        RtAudio::StreamParameters output;
        output.deviceId = audio_->getDefaultOutputDevice();
        output.nChannels = 2;
        sampleRate_ = ChooseRate(audio_->getDeviceInfo(output.deviceId), preferredRate);
        RtAudio::StreamOptions options;
        options.flags = RTAUDIO_ALSA_USE_DEFAULT;
        options.streamName = "voxnote";
        unsigned frames = framesPerBuffer;
        audio_->openStream(&output, nullptr, RTAUDIO_FLOAT32, sampleRate_, &frames, &Callback, &renderer, &options);
    } catch (const RtAudioError& error) {
        failure = FormatText(strings::kAudioOutputFailed, {error.getMessage()});
        audio_.reset();
        return false;
    }
    return true;
}

bool RtAudioOutput::Start(std::string& failure) {
    try {
        if (audio_ && audio_->isStreamOpen()) {
            audio_->startStream();
            return true;
        }
    } catch (const RtAudioError& error) {
        failure = FormatText(strings::kAudioOutputFailed, {error.getMessage()});
        return false;
    }
    failure = Text(strings::kNoAudioOutput);
    return false;
}

// Aborted, not stopped: stopping plays out what the device still holds
// first, which under a sound server waits for up to two seconds (and at the
// program's end kept it running that long after its window had gone).
bool RtAudioOutput::Stop(std::string& failure) {
    try {
        if (audio_ && audio_->isStreamRunning()) {
            audio_->abortStream();
        }
    } catch (const RtAudioError& error) {
        failure = error.getMessage();
        return false;
    }
    return true;
}

void RtAudioOutput::Close() {
    if (!audio_) {
        return;
    }
    try {
        if (audio_->isStreamOpen()) {
            audio_->closeStream();
        }
    } catch (const RtAudioError&) {
        // The stream is gone either way.
    }
    audio_.reset();
}

int RtAudioOutput::Callback(void* output, void*, unsigned frames, double, unsigned, void* renderer) {
    static_cast<AudioRenderer*>(renderer)->Render(static_cast<float*>(output), frames);
    return 0;
}

}  // namespace voxnote
