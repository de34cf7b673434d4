#include "stepweave/sound/device/audio_stream.h"

#include <algorithm>
#include <cstring>

#include "stepweave/sound/files/application_error.h"
#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/timer_scheduler.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

TAudioStream::TAudioStream(TCustomDXSound& sound)
    : sound_(&sound),
      updateTimer_(std::make_unique<RepeatingTimer>(sound.Timers(), kUpdateMilliseconds, [this] { Update(); },
                                                    false)) {
    sound.RegisterNotifyEvent(this, [this](TCustomDXSound&, TDXSoundNotifyType type) { DeviceNotify(type); });
}

TAudioStream::~TAudioStream() {
    Stop();
    if (sound_ != nullptr) {
        sound_->UnRegisterNotifyEvent(this);
    }
}

void TAudioStream::DeviceNotify(TDXSoundNotifyType type) {
    switch (type) {
        case TDXSoundNotifyType::dsntInitializing:
        case TDXSoundNotifyType::dsntFinalize:
            Stop();
            ring_.reset();
            break;
        case TDXSoundNotifyType::dsntInitialize:
            if (waveStream_ != nullptr) {
                MakeRing();
            }
            break;
        case TDXSoundNotifyType::dsntDestroying:
            Stop();
            ring_.reset();
            sound_ = nullptr;
            break;
        case TDXSoundNotifyType::dsntRestore:
            break;
    }
}

void TAudioStream::RequireWaveStream() const {
    if (waveStream_ == nullptr) {
        throw EAudioStreamError("WaveStream not set");
    }
}

TWaveFormatEx TAudioStream::Format() const {
    RequireWaveStream();
    TWaveFormatEx format;
    ReadWaveFormatRecord(waveStream_->Format(), waveStream_->FormatSize(), format);
    return format;
}

int64_t TAudioStream::Size() const {
    // A file cut short plays what it holds, not what its header promised.
    return waveStream_ != nullptr ? waveStream_->DataBytesPresent() : 0;
}

uint16_t TAudioStream::BlockAlign() const { return std::max<uint16_t>(Format().nBlockAlign, 1); }

void TAudioStream::SetWaveStream(WaveStream* stream) {
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

void TAudioStream::MakeRing() {
    ring_.reset();
    if (sound_ == nullptr || !sound_->Initialized() || sound_->DSound() == nullptr) {
        return;
    }
    const TWaveFormatEx format = Format();
    // One second of the format, in whole blocks.
    const uint64_t oneSecond = static_cast<uint64_t>(format.nSamplesPerSec) * format.nBlockAlign *
                               kBufferLengthMilliseconds / 1000;
    ringSize_ = oneSecond <= DSBSIZE_MAX ? static_cast<uint32_t>(oneSecond) : 0;
    TDSBufferDesc description;
    description.dwFlags = sound_->BufferFlags() | DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = ringSize_;
    description.lpwfxFormat = &format;
    auto ring = std::make_unique<TDirectSoundBuffer>(*sound_->DSound());
    if (!ring->CreateBuffer(description)) {
        throw EDirectSoundBufferError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    ring_ = std::move(ring);
    ApplyControls();
}

void TAudioStream::ApplyControls() {
    if (frequency_ != 0) {
        ring_->SetFrequency(frequency_);
    }
    ring_->SetPan(pan_);
    ring_->SetVolume(volume_);
}

void TAudioStream::Play() {
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

void TAudioStream::Stop() {
    if (!playing_) {
        return;
    }
    playing_ = false;
    updateTimer_->SetEnabled(false);
    if (ring_ && ring_->HasInterface()) {
        ring_->Stop();
    }
}

void TAudioStream::SetPosition(int64_t position) {
    RequireWaveStream();
    const uint16_t blockAlign = BlockAlign();
    position = std::clamp<int64_t>(position, 0, std::max<int64_t>(Size() - 1, 0));
    position_ = position - position % blockAlign;
    if (playing_) {
        Restart();
    }
}

void TAudioStream::Restart() {
    ring_->Stop();
    writeCursor_ = 0;
    written_ = position_;
    Queue(ringSize_);
    ring_->SetPosition(0);
    ring_->Play(true);
}

void TAudioStream::Update() {
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

void TAudioStream::Queue(int64_t bytes) {
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

void TAudioStream::WriteRing(int64_t bytes, bool fromData) {
    if (bytes <= 0) {
        return;
    }
    void* regions[2] = {nullptr, nullptr};
    uint32_t sizes[2] = {0, 0};
    if (ring_->Lock(writeCursor_, static_cast<uint32_t>(bytes), &regions[0], &sizes[0], &regions[1], &sizes[1], 0) !=
        DS_OK) {
        throw EDirectSoundBufferError(FormatMessage("%s cannot be locked", "Sound Buffer"));
    }
    const uint8_t silence = Format().wBitsPerSample == 8 ? 128 : 0;
    if (fromData) {
        waveStream_->Seek(written_, SeekOrigin::Beginning);
    }
    for (int i = 0; i < 2; ++i) {
        auto* region = static_cast<uint8_t*>(regions[i]);
        if (region == nullptr) {
            continue;
        }
        int64_t filled = 0;
        if (fromData) {
            filled = std::max<int64_t>(waveStream_->Read(region, sizes[i]), 0);
        }
        std::memset(region + filled, silence, sizes[i] - filled);
    }
    ring_->Unlock(regions[0], sizes[0], regions[1], sizes[1]);
    writeCursor_ = static_cast<uint32_t>((writeCursor_ + bytes) % ringSize_);
    written_ += bytes;
}

uint32_t TAudioStream::Frequency() const {
    if (frequency_ != 0) {
        return frequency_;
    }
    return waveStream_ != nullptr ? Format().nSamplesPerSec : 0;
}

void TAudioStream::SetFrequency(uint32_t frequency) {
    if (ring_) {
        ring_->SetFrequency(frequency);
        if (ring_->DXResult() != DS_OK) {
            return;
        }
    }
    frequency_ = frequency;
}

void TAudioStream::SetPan(int32_t pan) {
    if (ring_) {
        ring_->SetPan(pan);
        if (ring_->DXResult() != DS_OK) {
            return;
        }
    }
    pan_ = pan;
}

void TAudioStream::SetVolume(int32_t volume) {
    if (ring_) {
        ring_->SetVolume(volume);
        if (ring_->DXResult() != DS_OK) {
            return;
        }
    }
    volume_ = volume;
}

void TAudioStream::RecreateBuffer() {
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
