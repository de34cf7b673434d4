#include "stepweave/sound/device/direct_sound_buffer_interface.h"

#include <algorithm>
#include <cmath>

#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/mixer/decibel_gain.h"
#include "stepweave/sound/device/direct_sound_device.h"
#include "stepweave/sound/wav/pcm_layout.h"

namespace stepweave {

namespace {

// The most output frames the mixer renders between two updates of the cursors.
constexpr uint32_t kMixerReadAheadFrames = 1024;

}  // namespace

IDirectSoundBuffer::IDirectSoundBuffer(std::shared_ptr<DirectSoundDeviceState> device, uint32_t flags)
    : device_(std::move(device)), flags_(flags), lossesSeen_(device_->output->BufferLosses()) {}

IDirectSoundBuffer::~IDirectSoundBuffer() {
    if (voice_ != nullptr) {
        device_->output->GetMixer().ReleaseVoice(voice_);
    }
}

bool IDirectSoundBuffer::NoticeLoss() {
    if (device_->output->BufferLosses() == lossesSeen_) {
        return false;
    }
    if (voice_ != nullptr && voice_->IsPlaying()) {
        voice_->Stop();
    }
    return true;
}

HRESULT IDirectSoundBuffer::GetFormat(TWaveFormatEx* format) const {
    if (format == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    *format = IsPrimary() ? device_->primaryFormat : format_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFormat(const TWaveFormatEx* format) {
    if (!IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (const HRESULT check = CheckMixableFormat(format); check != DS_OK) {
        return check;
    }
    device_->primaryFormat = *format;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                                 void** second, uint32_t* secondBytes, uint32_t flags) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (first == nullptr || firstBytes == nullptr || locked_) {
        return locked_ ? DSERR_INVALIDCALL : DSERR_INVALIDPARAM;
    }
    if (NoticeLoss()) {
        return DSERR_BUFFERLOST;
    }
    const uint32_t size = BufferBytes();
    if (flags & DSBLOCK_ENTIREBUFFER) {
        bytes = size;
    }
    if (flags & DSBLOCK_FROMWRITECURSOR) {
        uint32_t play = 0;
        GetCurrentPosition(&play, &offset);
    }
    const uint32_t firstCount = offset < size ? std::min(bytes, size - offset) : 0;
    const uint32_t secondCount = bytes - firstCount;
    if (offset >= size || bytes == 0 || bytes > size || (secondCount > 0 && (second == nullptr || secondBytes == nullptr))) {
        return DSERR_INVALIDPARAM;
    }
    if (!voice_->IsPlaying() && !voice_->IsQuiet()) {
        // Stopped, but the audio thread may still be reading the old bytes:
        // write a copy, which the mixer takes up before playing it again.
        auto fresh = std::make_shared<SoundMemory>(*memory_);
        if (!voice_->ReplaceMemory(fresh)) {
            return DSERR_GENERIC;
        }
        memory_ = std::move(fresh);
    }
    *first = memory_->Bytes() + offset;
    *firstBytes = firstCount;
    if (second != nullptr && secondBytes != nullptr) {
        *second = secondCount > 0 ? memory_->Bytes() : nullptr;
        *secondBytes = secondCount;
    }
    locked_ = true;
    lockedFirst_ = *first;
    lockedSecond_ = secondCount > 0 ? memory_->Bytes() : nullptr;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* first, uint32_t, void* second, uint32_t) {
    if (!locked_) {
        return DSERR_INVALIDCALL;
    }
    if (first != lockedFirst_ || (second != nullptr && second != lockedSecond_)) {
        return DSERR_INVALIDPARAM;
    }
    locked_ = false;
    memory_->Publish();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(uint32_t, uint32_t, uint32_t flags) {
    if (IsPrimary()) {
        return DS_OK;  // the output always runs
    }
    if (NoticeLoss()) {
        return DSERR_BUFFERLOST;
    }
    return voice_->Play((flags & DSBPLAY_LOOPING) != 0) ? DS_OK : DSERR_GENERIC;
}

HRESULT IDirectSoundBuffer::Stop() {
    if (IsPrimary()) {
        return DS_OK;
    }
    return voice_->Stop() ? DS_OK : DSERR_GENERIC;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(uint32_t position) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (position >= BufferBytes()) {
        return DSERR_INVALIDPARAM;
    }
    return voice_->SetCursor(position / BlockAlign()) ? DS_OK : DSERR_GENERIC;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    const uint32_t frames = voice_->Frames();
    const uint32_t playFrame = voice_->CursorFrame();
    if (play != nullptr) {
        *play = playFrame * BlockAlign();
    }
    if (write != nullptr) {
        const auto readAhead = static_cast<uint32_t>(
            std::ceil(static_cast<double>(kMixerReadAheadFrames) * frequency_ / Mixer::kSampleRate)) + 1;
        *write = (playFrame + std::min(readAhead, frames - 1)) % frames * BlockAlign();
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(uint32_t* status) {
    if (status == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    if (IsPrimary()) {
        *status = DSBSTATUS_PLAYING | DSBSTATUS_LOOPING;
        return DS_OK;
    }
    if (NoticeLoss()) {
        *status = DSBSTATUS_BUFFERLOST;
        return DS_OK;
    }
    *status = 0;
    if (voice_->IsPlaying()) {
        *status |= DSBSTATUS_PLAYING;
        if (voice_->IsLooping()) {
            *status |= DSBSTATUS_LOOPING;
        }
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SendGains() {
    const StereoGains gains = GainsForVolumeAndPan(volume_, pan_);
    return voice_->SetGains(gains.left, gains.right) ? DS_OK : DSERR_GENERIC;
}

HRESULT IDirectSoundBuffer::SetVolume(int32_t volume) {
    if (IsPrimary() || !(flags_ & DSBCAPS_CTRLVOLUME)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) {
        return DSERR_INVALIDPARAM;
    }
    volume_ = volume;
    return SendGains();
}

HRESULT IDirectSoundBuffer::GetVolume(int32_t* volume) const {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (volume == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    *volume = volume_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(int32_t pan) {
    if (IsPrimary() || !(flags_ & DSBCAPS_CTRLPAN)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) {
        return DSERR_INVALIDPARAM;
    }
    pan_ = pan;
    return SendGains();
}

HRESULT IDirectSoundBuffer::GetPan(int32_t* pan) const {
    if (!(flags_ & DSBCAPS_CTRLPAN)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (pan == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    *pan = pan_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(uint32_t frequency) {
    if (IsPrimary() || !(flags_ & DSBCAPS_CTRLFREQUENCY)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (frequency == DSBFREQUENCY_ORIGINAL) {
        frequency = format_.nSamplesPerSec;
    }
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) {
        return DSERR_INVALIDPARAM;
    }
    frequency_ = frequency;
    return voice_->SetFrequency(frequency) ? DS_OK : DSERR_GENERIC;
}

HRESULT IDirectSoundBuffer::GetFrequency(uint32_t* frequency) const {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (frequency == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    *frequency = frequency_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Restore() {
    lossesSeen_ = device_->output->BufferLosses();
    return DS_OK;
}

}  // namespace stepweave
