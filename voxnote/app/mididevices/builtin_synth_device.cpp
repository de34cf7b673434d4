#include "voxnote/app/mididevices/builtin_synth_device.h"

#include <algorithm>
#include <chrono>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr unsigned kFramesPerBuffer = 512;
constexpr unsigned kPreferredSampleRate = 44100;
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
    StopAudio();
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

// Opens the audio output (once; it is kept between opens), loads the
// soundfont for the output's rate if not done yet, and starts the output.
bool BuiltinSynthDevice::StartAudio() {
    closing_ = false;
    if (outputRunning_) {
        return true;
    }
    if (!output_) {
        output_ = CreateAudioOutput();
    }
    std::string failure;
    if (!output_->Open(kPreferredSampleRate, kFramesPerBuffer, *this, failure)) {
        openFailure_ = FormatText(strings::kSoundOutputFailed, {failure});
        return false;
    }
    const unsigned rate = output_->SampleRate();
    if (!renderer_ || renderer_->SampleRate() != rate) {
        renderer_ = SynthRenderer::Create(soundfont_, rate, openFailure_);
        if (!renderer_) {
            output_->Close();
            return false;
        }
    }
    timeline_ = std::make_unique<AudioTimeline>(rate);
    if (!output_->Start(failure)) {
        output_->Close();
        openFailure_ = FormatText(strings::kSoundOutputFailed, {failure});
        return false;
    }
    outputRunning_ = true;
    return true;
}

void BuiltinSynthDevice::StopAudio() {
    if (!output_) {
        return;
    }
    std::string failure;
    output_->Stop(failure);  // the output is closed either way
    output_->Close();
    outputRunning_ = false;
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

void BuiltinSynthDevice::Render(float* interleaved, unsigned frames) {
    const bool rungOut = closing_.load(std::memory_order_acquire) && !renderer_->HasPending() &&
                         renderer_->ActiveVoices() == 0;
    if (rungOut) {
        std::fill(interleaved, interleaved + 2 * static_cast<size_t>(frames), 0.0f);
        return;
    }
    const int64_t bufferStart = timeline_->NextBuffer(SteadyMicroseconds() - kLatencyUs, frames);
    renderer_->Render(interleaved, frames, bufferStart);
}

}  // namespace voxnote
