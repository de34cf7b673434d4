#include "voxnote/app/builtin_synth_device.h"

#include <rtaudio/RtAudio.h>

#include <chrono>

#include "voxnote/app/short_message.h"
#include "voxnote/app/string_table.h"

namespace voxnote {

namespace {

constexpr unsigned kFramesPerBuffer = 512;
constexpr unsigned kFallbackSampleRate = 44100;
// A buffer covers times at least this far in the past (more than one
// buffer's length), so every message for it has been sent by the time it is
// rendered.
constexpr int64_t kLatencyUs = 20000;

int64_t SteadyMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

BuiltinSynthDevice::BuiltinSynthDevice(std::filesystem::path soundfont) : soundfont_(std::move(soundfont)) {}

BuiltinSynthDevice::~BuiltinSynthDevice() {
    CloseAudio();
}

std::string BuiltinSynthDevice::Name() const {
    return Text(strings::kBuiltInSynthesizerName);
}

int BuiltinSynthDevice::Technology() const {
    return midi_technology::kWavetableSynthesizer;
}

bool BuiltinSynthDevice::Open() {
    if (open_) {
        openFailure_ = Text(strings::kMidiDeviceInUse);
        return false;
    }
    if (!StartAudio()) {
        return false;
    }
    open_ = true;
    return true;
}

// Opens the default output (once; it is kept between opens) at its own rate,
// loads the soundfont for that rate if not done yet, and starts the stream.
bool BuiltinSynthDevice::StartAudio() {
    try {
        if (!audio_) {
            audio_ = std::make_unique<RtAudio>();
            audio_->showWarnings(false);
        }
        if (!audio_->isStreamOpen()) {
            if (audio_->getDeviceCount() == 0) {
                openFailure_ = Text(strings::kNoSoundOutput);
                return false;
            }
            RtAudio::StreamParameters output;
            output.deviceId = audio_->getDefaultOutputDevice();
            output.nChannels = 2;
            unsigned rate = audio_->getDeviceInfo(output.deviceId).preferredSampleRate;
            rate = rate ? rate : kFallbackSampleRate;
            if (!renderer_ || renderer_->SampleRate() != rate) {
                renderer_ = SynthRenderer::Create(soundfont_, rate, openFailure_);
                if (!renderer_) {
                    return false;
                }
            }
            timeline_ = std::make_unique<AudioTimeline>(rate);
            RtAudio::StreamOptions options;
            options.flags = RTAUDIO_ALSA_USE_DEFAULT;
            options.streamName = Name();
            unsigned frames = kFramesPerBuffer;
            audio_->openStream(&output, nullptr, RTAUDIO_FLOAT32, rate, &frames, &RenderCallback, this, &options);
        }
        if (audio_->isStreamRunning()) {
            audio_->stopStream();  // still ringing out after the last close
        }
        closing_ = false;
        audio_->startStream();
    } catch (const RtAudioError& error) {
        CloseAudio();
        openFailure_ = FormatText(strings::kSoundOutputFailed, {error.getMessage()});
        return false;
    }
    return true;
}

void BuiltinSynthDevice::CloseAudio() {
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

bool BuiltinSynthDevice::SendShortMessage(uint32_t message) {
    return open_ && renderer_->Post(message, SteadyMicroseconds());
}

void BuiltinSynthDevice::Close() {
    if (!open_) {
        return;
    }
    for (uint8_t channel = 0; channel < 16; ++channel) {
        renderer_->Post(ShortMessage(kControlChange | channel, kAllNotesOffController), SteadyMicroseconds());
    }
    open_ = false;
    closing_ = true;
}

int BuiltinSynthDevice::RenderCallback(void* output, void*, unsigned frames, double, unsigned, void* self) {
    auto* device = static_cast<BuiltinSynthDevice*>(self);
    const int64_t bufferStart = device->timeline_->NextBuffer(SteadyMicroseconds() - kLatencyUs, frames);
    device->renderer_->Render(static_cast<float*>(output), frames, bufferStart);
    // Once closed and silent, stop the stream (1: after playing this buffer).
    const bool silent = !device->renderer_->HasPending() && device->renderer_->ActiveVoices() == 0;
    return device->closing_.load(std::memory_order_acquire) && silent ? 1 : 0;
}

}  // namespace voxnote
