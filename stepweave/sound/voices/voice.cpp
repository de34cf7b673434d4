#include "stepweave/sound/voices/voice.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixer/decibel_gain.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/wav/pcm_layout.h"

namespace stepweave {

namespace {

constexpr uint32_t kLowestFrequency = 100;
constexpr uint32_t kHighestFrequency = 100000;
constexpr uint32_t kFewestBytes = 4;
constexpr uint32_t kMostBytes = 0x0FFFFFFF;
// The most output frames the mixer renders between two updates of the cursors.
constexpr uint32_t kMixerReadAheadFrames = 1024;

PcmLayout LayoutOf(const WaveFormat& format) { return {format.channels, format.bitsPerSample}; }

}  // namespace

Voice::Voice(SoundDevice& device) : device_(&device) { device.Register(this); }

Voice::~Voice() {
    Release();
    if (device_ != nullptr) {
        device_->Unregister(this);
    }
}

void Voice::Detach() {
    Release();
    device_ = nullptr;
}

SoundDevice& Voice::RequireDevice() {
    if (device_ == nullptr || device_->Output() == nullptr) {
        throw SoundOutputError(FormatMessage("%s not made", "IDirectSound"));
    }
    return *device_;
}

void Voice::RequireMade() const {
    if (mixerVoice_ == nullptr) {
        throw VoiceError(FormatMessage("%s not made", "IDirectSoundBuffer"));
    }
}

bool Voice::Record(SoundResult result) {
    result_ = result;
    if (result == SoundResult::VoiceLost && device_ != nullptr) {
        device_->ReportVoiceLost();
    }
    return result == SoundResult::Ok;
}

bool Voice::NoticeLoss() {
    if (output_->BufferLosses() == lossesSeen_) {
        return false;
    }
    if (mixerVoice_->IsPlaying()) {
        mixerVoice_->Stop();
    }
    return true;
}

void Voice::Release() {
    if (mixerVoice_ != nullptr) {
        output_->GetMixer().ReleaseVoice(mixerVoice_);
        mixerVoice_ = nullptr;
    }
    memory_.reset();
    output_.reset();
}

void Voice::Adopt(const WaveFormat& format, SharedSoundMemory memory, uint32_t frequency) {
    std::shared_ptr<AudioOutput> output = RequireDevice().SharedOutput();
    Release();
    output_ = std::move(output);
    format_ = format;
    frequency_ = frequency;
    memory_ = std::move(memory);
    lossesSeen_ = output_->BufferLosses();
    mixerVoice_ = output_->GetMixer().CreateVoice(memory_, LayoutOf(format_), frequency_);
}

bool Voice::Create(const WaveFormat& format, uint32_t bytes) {
    RequireDevice();
    Release();
    if (const SoundResult check = CheckMixableFormat(format); check != SoundResult::Ok) {
        return Record(check);
    }
    if (bytes < kFewestBytes || bytes > kMostBytes || bytes < format.blockAlign) {
        return Record(SoundResult::InvalidParameter);
    }
    try {
        auto memory = std::make_shared<SoundMemory>(bytes, LayoutOf(format).SilenceByte());
        volume_ = 0;
        pan_ = 0;
        Adopt(format, std::move(memory), format.samplesPerSec);
        return Record(SoundResult::Ok);
    } catch (const std::bad_alloc&) {
        Release();
        return Record(SoundResult::OutOfMemory);
    }
}

bool Voice::Duplicate(Voice& source) {
    RequireDevice();
    source.RequireMade();
    if (source.output_->BufferLosses() != source.lossesSeen_) {
        return Record(SoundResult::VoiceLost);
    }
    volume_ = source.volume_;
    pan_ = source.pan_;
    Adopt(source.format_, source.memory_, source.frequency_);
    SendGains();
    return Record(SoundResult::Ok);
}

void Voice::LoadFromMemory(const WaveFormat& format, const uint8_t* data, uint32_t size) {
    if (!Create(format, size)) {
        throw VoiceError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    const SoundResult written = Write(0, size, [&, from = data](uint8_t* bytes, uint32_t count) mutable {
        std::copy_n(from, count, bytes);
        from += count;
    });
    if (written != SoundResult::Ok) {
        Release();
        throw VoiceError(FormatMessage("%s cannot be locked", "Sound Buffer"));
    }
}

bool Voice::Play(bool loop) {
    RequireMade();
    if (NoticeLoss()) {
        return Record(SoundResult::VoiceLost);
    }
    return Record(mixerVoice_->Play(loop) ? SoundResult::Ok : SoundResult::QueueFull);
}

bool Voice::Stop() {
    RequireMade();
    return Record(mixerVoice_->Stop() ? SoundResult::Ok : SoundResult::QueueFull);
}

bool Voice::Restore() {
    RequireMade();
    lossesSeen_ = output_->BufferLosses();
    return Record(SoundResult::Ok);
}

SoundResult Voice::Write(uint32_t offset, uint32_t count, const VoiceRegionWriter& write) {
    RequireMade();
    if (NoticeLoss()) {
        Record(SoundResult::VoiceLost);
        return result_;
    }
    const uint32_t size = memory_->Size();
    if (offset >= size || count == 0 || count > size) {
        Record(SoundResult::InvalidParameter);
        return result_;
    }
    if (!mixerVoice_->IsPlaying() && !mixerVoice_->IsQuiet()) {
        // Stopped, but the audio thread may still be reading the old bytes:
        // write a copy, which the mixer takes up before playing it again.
        auto fresh = std::make_shared<SoundMemory>(*memory_);
        if (!mixerVoice_->ReplaceMemory(fresh)) {
            Record(SoundResult::QueueFull);
            return result_;
        }
        memory_ = std::move(fresh);
    }
    const uint32_t first = std::min(count, size - offset);
    write(memory_->Bytes() + offset, first);
    if (count > first) {
        write(memory_->Bytes(), count - first);
    }
    memory_->Publish();
    Record(SoundResult::Ok);
    return result_;
}

VoiceStatus Voice::Status() {
    RequireMade();
    // Asking is no failure: a lost voice says so without asking for a restore.
    Record(SoundResult::Ok);
    if (NoticeLoss()) {
        return {false, false, true};
    }
    const bool playing = mixerVoice_->IsPlaying();
    return {playing, playing && mixerVoice_->IsLooping(), false};
}

uint32_t Voice::Position() {
    RequireMade();
    Record(SoundResult::Ok);
    return mixerVoice_->CursorFrame() * format_.blockAlign;
}

void Voice::SetPosition(uint32_t position) {
    RequireMade();
    if (position >= memory_->Size()) {
        Record(SoundResult::InvalidParameter);
        return;
    }
    Record(mixerVoice_->SetCursor(position / format_.blockAlign) ? SoundResult::Ok : SoundResult::QueueFull);
}

uint32_t Voice::WritePosition() {
    RequireMade();
    Record(SoundResult::Ok);
    const uint32_t frames = mixerVoice_->Frames();
    const auto readAhead = static_cast<uint32_t>(
        std::ceil(static_cast<double>(kMixerReadAheadFrames) * frequency_ / Mixer::kSampleRate)) + 1;
    return (mixerVoice_->CursorFrame() + std::min(readAhead, frames - 1)) % frames * format_.blockAlign;
}

SoundResult Voice::SendGains() {
    const StereoGains gains = GainsForVolumeAndPan(volume_, pan_);
    return mixerVoice_->SetGains(gains.left, gains.right) ? SoundResult::Ok : SoundResult::QueueFull;
}

int32_t Voice::Pan() {
    RequireMade();
    Record(SoundResult::Ok);
    return pan_;
}

void Voice::SetPan(int32_t pan) {
    RequireMade();
    if (pan < kPanLeft || pan > kPanRight) {
        Record(SoundResult::InvalidParameter);
        return;
    }
    pan_ = pan;
    Record(SendGains());
}

int32_t Voice::Volume() {
    RequireMade();
    Record(SoundResult::Ok);
    return volume_;
}

void Voice::SetVolume(int32_t volume) {
    RequireMade();
    if (volume < kSilentVolume || volume > kFullVolume) {
        Record(SoundResult::InvalidParameter);
        return;
    }
    volume_ = volume;
    Record(SendGains());
}

uint32_t Voice::Frequency() {
    RequireMade();
    Record(SoundResult::Ok);
    return frequency_;
}

void Voice::SetFrequency(uint32_t frequency) {
    RequireMade();
    if (frequency == 0) {
        frequency = format_.samplesPerSec;
    }
    if (frequency < kLowestFrequency || frequency > kHighestFrequency) {
        Record(SoundResult::InvalidParameter);
        return;
    }
    frequency_ = frequency;
    Record(mixerVoice_->SetFrequency(frequency) ? SoundResult::Ok : SoundResult::QueueFull);
}

WaveFormat Voice::Format() {
    RequireMade();
    Record(SoundResult::Ok);
    return format_;
}

uint32_t Voice::Size() {
    RequireMade();
    return memory_->Size();
}

const SharedSoundMemory& Voice::Memory() {
    RequireMade();
    return memory_;
}

}  // namespace stepweave
