#include "stepweave/sound/voices/audio_stream.h"

#include <algorithm>
#include <cstring>

#include "stepweave/sound/files/application_error.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/voices/voice.h"
#include "stepweave/sound/timing/timer_scheduler.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

AudioStream::AudioStream(SoundDevice& device)
    : device_(&device),
      updateTimer_(std::make_unique<RepeatingTimer>(device.Timers(), kUpdateMilliseconds, [this] { Update(); },
                                                    false)) {
    device.AddListener(this, [this](SoundDevice&, DeviceEvent event) { OnDeviceEvent(event); });
}

AudioStream::~AudioStream() {
    Stop();
    ring_.reset();
    if (device_ != nullptr) {
        device_->RemoveListener(this);
    }
}

void AudioStream::OnDeviceEvent(DeviceEvent event) {
    switch (event) {
        case DeviceEvent::Opening:
        case DeviceEvent::Closing:
            Stop();
            ring_.reset();
            break;
        case DeviceEvent::Opened:
            if (waveStream_ != nullptr) {
                MakeRing();
            }
            break;
        case DeviceEvent::Going:
            Stop();
            ring_.reset();
            device_ = nullptr;
            break;
        case DeviceEvent::Restoring:
            break;
    }
}

void AudioStream::RequireWaveStream() const {
    if (waveStream_ == nullptr) {
        throw AudioStreamError("WaveStream not set");
    }
}

WaveFormat AudioStream::Format() const {
    RequireWaveStream();
    WaveFormat format;
    ParsePlaybackFormat(waveStream_->Format(), waveStream_->FormatSize(), format);
    return format;
}

int64_t AudioStream::Size() const {
    // A file cut short plays what it holds, not what its header promised.
    return waveStream_ != nullptr ? waveStream_->DataBytesPresent() : 0;
}

uint16_t AudioStream::BlockAlign() const { return std::max<uint16_t>(Format().blockAlign, 1); }

void AudioStream::SetWaveStream(WaveStream* stream) {
    Stop();
    position_ = 0;
    written_ = 0;
    writeCursor_ = 0;
    frequency_ = 0;
    pan_ = 0;
    volume_ = 0;
    ring_.reset();
    ringSize_ = 0;
    waveStream_ = stream;
    if (stream == nullptr) {
        return;
    }
    try {
        MakeRing();
    } catch (...) {
        waveStream_ = nullptr;
        throw;
    }
}

void AudioStream::MakeRing() {
    ring_.reset();
    if (device_ == nullptr || !device_->IsOpen()) {
        return;
    }
    const WaveFormat format = Format();
    // One second of the format, in whole blocks.
    const uint64_t oneSecond = static_cast<uint64_t>(format.samplesPerSec) * format.blockAlign *
                               kBufferLengthMilliseconds / 1000;
    ringSize_ = oneSecond <= UINT32_MAX ? static_cast<uint32_t>(oneSecond) : 0;
    auto ring = std::make_unique<Voice>(*device_);
    if (!ring->Create(format, ringSize_)) {
        throw VoiceError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    ring_ = std::move(ring);
    ApplyControls();
}

void AudioStream::ApplyControls() {
    if (frequency_ != 0) {
        ring_->SetFrequency(frequency_);
    }
    ring_->SetPan(pan_);
    ring_->SetVolume(volume_);
}

void AudioStream::Play() {
    if (playing_) {
        return;
    }
    RequireWaveStream();
    if (!ring_) {
        return;  // no device: silent
    }
    playing_ = true;
    try {
        SetPosition(position_);
    } catch (...) {
        Stop();
        throw;
    }
    updateTimer_->SetEnabled(true);
}

void AudioStream::Stop() {
    if (!playing_) {
        return;
    }
    playing_ = false;
    updateTimer_->SetEnabled(false);
    if (ring_ && ring_->IsMade()) {
        ring_->Stop();
    }
}

void AudioStream::SetPosition(int64_t position) {
    RequireWaveStream();
    const uint16_t blockAlign = BlockAlign();
    position = std::clamp<int64_t>(position, 0, std::max<int64_t>(Size() - 1, 0));
    position_ = position - position % blockAlign;
    if (playing_) {
        Restart();
    }
}

void AudioStream::Restart() {
    ring_->Stop();
    writeCursor_ = 0;
    written_ = position_;
    Queue(ringSize_);
    ring_->SetPosition(0);
    ring_->Play(true);
}

void AudioStream::Update() {
    if (!playing_ || !ring_) {
        return;
    }
    try {
        const uint32_t play = ring_->Position();
        int64_t freeBytes = static_cast<int64_t>(play) - writeCursor_;
        if (freeBytes < 0) {
            freeBytes += ringSize_;
        }
        // Should the refills ever fall a whole ring behind, stay out of the
        // bytes the mixer is about to read.
        int64_t readAhead = static_cast<int64_t>(ring_->WritePosition()) - play;
        if (readAhead < 0) {
            readAhead += ringSize_;
        }
        freeBytes = std::min<int64_t>(freeBytes, ringSize_ - readAhead);
        if (position_ < Size()) {
            if (freeBytes < 1) {
                return;
            }
            position_ = std::min<int64_t>(position_ + freeBytes, Size());
            Queue(freeBytes);
        } else if (looped_) {
            SetPosition(0);
        } else {
            Stop();
        }
    } catch (const std::exception& error) {
        Stop();
        ReportApplicationError(error);
    }
}

void AudioStream::Queue(int64_t bytes) {
    const int64_t remaining = Size() - written_;
    if (remaining < 1) {
        WriteRing(bytes, false);
    } else if (remaining < bytes) {
        WriteRing(remaining, true);
        WriteRing(bytes - remaining, false);
    } else {
        WriteRing(bytes, true);
    }
}

void AudioStream::WriteRing(int64_t bytes, bool fromData) {
    if (bytes <= 0) {
        return;
    }
    const uint8_t silence = Format().bitsPerSample == 8 ? 128 : 0;
    if (fromData) {
        waveStream_->Seek(written_, SeekOrigin::Beginning);
    }
    const SoundResult result =
        ring_->Write(writeCursor_, static_cast<uint32_t>(bytes), [&](uint8_t* region, uint32_t count) {
            int64_t filled = 0;
            if (fromData) {
                filled = std::max<int64_t>(waveStream_->Read(region, count), 0);
            }
            std::memset(region + filled, silence, count - filled);
        });
    if (result != SoundResult::Ok) {
        throw VoiceError(FormatMessage("%s cannot be locked", "Sound Buffer"));
    }
    writeCursor_ = static_cast<uint32_t>((writeCursor_ + bytes) % ringSize_);
    written_ += bytes;
}

uint32_t AudioStream::Frequency() const {
    if (frequency_ != 0) {
        return frequency_;
    }
    return waveStream_ != nullptr ? Format().samplesPerSec : 0;
}

void AudioStream::SetFrequency(uint32_t frequency) {
    if (ring_) {
        ring_->SetFrequency(frequency);
        if (ring_->LastResult() != SoundResult::Ok) {
            return;
        }
    }
    frequency_ = frequency;
}

void AudioStream::SetPan(int32_t pan) {
    if (ring_) {
        ring_->SetPan(pan);
        if (ring_->LastResult() != SoundResult::Ok) {
            return;
        }
    }
    pan_ = pan;
}

void AudioStream::SetVolume(int32_t volume) {
    if (ring_) {
        ring_->SetVolume(volume);
        if (ring_->LastResult() != SoundResult::Ok) {
            return;
        }
    }
    volume_ = volume;
}

void AudioStream::RecreateRing() {
    if (waveStream_ == nullptr) {
        return;
    }
    const bool wasPlaying = playing_;
    Stop();
    MakeRing();
    if (wasPlaying) {
        Play();
    }
}

}  // namespace stepweave
