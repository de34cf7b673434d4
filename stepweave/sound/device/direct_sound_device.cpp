#include "stepweave/sound/device/direct_sound_device.h"

#include <new>

#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/device/direct_sound_buffer_interface.h"
#include "stepweave/sound/wav/pcm_layout.h"

namespace stepweave {

HRESULT CheckMixableFormat(const TWaveFormatEx* format) {
    if (format == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    const PcmLayout layout{format->nChannels, format->wBitsPerSample};
    if (format->wFormatTag != WAVE_FORMAT_PCM || !layout.IsMixable()) {
        return DSERR_BADFORMAT;
    }
    if (format->nBlockAlign != layout.BlockAlign() || format->nSamplesPerSec < DSBFREQUENCY_MIN ||
        format->nSamplesPerSec > DSBFREQUENCY_MAX) {
        return DSERR_INVALIDPARAM;
    }
    return DS_OK;
}

IDirectSound::IDirectSound(std::shared_ptr<AudioOutput> output)
    : state_(std::make_shared<DirectSoundDeviceState>()) {
    state_->output = std::move(output);
}

IDirectSound::~IDirectSound() = default;

HRESULT IDirectSound::CreateSoundBuffer(const TDSBufferDesc* description,
                                        std::unique_ptr<IDirectSoundBuffer>* buffer) {
    if (description == nullptr || buffer == nullptr || description->dwSize != TDSBufferDesc::kSize) {
        return DSERR_INVALIDPARAM;
    }
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
        if (description->dwBufferBytes != 0 || description->lpwfxFormat != nullptr) {
            return DSERR_INVALIDPARAM;
        }
        buffer->reset(new IDirectSoundBuffer(state_, description->dwFlags));
        return DS_OK;
    }
    const TWaveFormatEx* format = description->lpwfxFormat;
    if (const HRESULT check = CheckMixableFormat(format); check != DS_OK) {
        return check;
    }
    const uint32_t bytes = description->dwBufferBytes;
    if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX || bytes < format->nBlockAlign) {
        return DSERR_INVALIDPARAM;
    }
    try {
        const PcmLayout layout{format->nChannels, format->wBitsPerSample};
        std::unique_ptr<IDirectSoundBuffer> made(new IDirectSoundBuffer(state_, description->dwFlags));
        made->format_ = *format;
        made->format_.cbSize = 0;
        made->frequency_ = format->nSamplesPerSec;
        made->memory_ = std::make_shared<SoundMemory>(bytes, layout.SilenceByte());
        made->voice_ = state_->output->GetMixer().CreateVoice(made->memory_, layout, made->frequency_);
        *buffer = std::move(made);
        return DS_OK;
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
}

HRESULT IDirectSound::DuplicateSoundBuffer(const IDirectSoundBuffer* original,
                                           std::unique_ptr<IDirectSoundBuffer>* duplicate) {
    if (original == nullptr || duplicate == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    if (original->IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (original->lossesSeen_ != state_->output->BufferLosses()) {
        return DSERR_BUFFERLOST;
    }
    std::unique_ptr<IDirectSoundBuffer> made(new IDirectSoundBuffer(state_, original->flags_));
    made->format_ = original->format_;
    made->frequency_ = original->frequency_;
    made->volume_ = original->volume_;
    made->pan_ = original->pan_;
    made->memory_ = original->memory_;
    const PcmLayout layout{made->format_.nChannels, made->format_.wBitsPerSample};
    made->voice_ = state_->output->GetMixer().CreateVoice(made->memory_, layout, made->frequency_);
    made->SendGains();
    *duplicate = std::move(made);
    return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(WindowHandle window, uint32_t level) {
    if (window == 0 || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) {
        return DSERR_INVALIDPARAM;
    }
    state_->window = window;
    state_->cooperativeLevel = level;
    return DS_OK;
}

HRESULT DirectSoundCreate(std::unique_ptr<IDirectSound>* device, std::string* failure) {
    if (device == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    std::shared_ptr<AudioOutput> output = AudioOutput::Acquire(failure);
    if (!output) {
        return DSERR_NODRIVER;
    }
    *device = std::make_unique<IDirectSound>(std::move(output));
    return DS_OK;
}

}  // namespace stepweave
