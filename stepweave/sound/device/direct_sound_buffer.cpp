#include "stepweave/sound/device/direct_sound_buffer.h"

#include <cstring>

#include "stepweave/sound/device/direct_sound.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

TDirectSoundBuffer::TDirectSoundBuffer(TDirectSound& sound) : sound_(&sound) { sound.Register(this); }

TDirectSoundBuffer::~TDirectSoundBuffer() {
    if (sound_ != nullptr) {
        sound_->Unregister(this);
    }
}

void TDirectSoundBuffer::Detach() {
    buffer_.reset();
    sound_ = nullptr;
}

IDirectSoundBuffer& TDirectSoundBuffer::IBuffer() {
    if (!buffer_) {
        throw EDirectSoundBufferError(FormatMessage("%s not made", "IDirectSoundBuffer"));
    }
    return *buffer_;
}

HRESULT TDirectSoundBuffer::Record(HRESULT result) {
    result_ = result;
    if (result == DSERR_BUFFERLOST && sound_ != nullptr) {
        sound_->ReportBufferLost();
    }
    return result;
}

bool TDirectSoundBuffer::CreateBuffer(const TDSBufferDesc& description) {
    buffer_.reset();
    if (sound_ == nullptr) {
        throw EDirectSoundError(FormatMessage("%s not made", "IDirectSound"));
    }
    result_ = sound_->IDSound().CreateSoundBuffer(&description, &buffer_);
    return result_ == DS_OK;
}

bool TDirectSoundBuffer::Duplicate(TDirectSoundBuffer& source) {
    if (sound_ == nullptr) {
        throw EDirectSoundError(FormatMessage("%s not made", "IDirectSound"));
    }
    std::unique_ptr<IDirectSoundBuffer> duplicate;
    Record(sound_->IDSound().DuplicateSoundBuffer(&source.IBuffer(), &duplicate));
    if (result_ != DS_OK) {
        return false;
    }
    buffer_ = std::move(duplicate);
    return true;
}

void TDirectSoundBuffer::LoadFromMemory(const TWaveFormatEx& format, const uint8_t* data, uint32_t size,
                                        uint32_t flags) {
    TDSBufferDesc description;
    description.dwFlags = flags;
    description.dwBufferBytes = size;
    description.lpwfxFormat = &format;
    if (!CreateBuffer(description)) {
        throw EDirectSoundBufferError(FormatMessage("%s cannot be made", "Sound Buffer"));
    }
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    if (Lock(0, size, &first, &firstBytes, &second, &secondBytes, 0) != DS_OK) {
        Release();
        throw EDirectSoundBufferError(FormatMessage("%s cannot be locked", "Sound Buffer"));
    }
    std::memcpy(first, data, firstBytes);
    if (second != nullptr) {
        std::memcpy(second, data + firstBytes, secondBytes);
    }
    Unlock(first, firstBytes, second, secondBytes);
}

void TDirectSoundBuffer::Release() { buffer_.reset(); }

bool TDirectSoundBuffer::Play(bool loop) {
    return Record(IBuffer().Play(0, 0, loop ? DSBPLAY_LOOPING : 0)) == DS_OK;
}

bool TDirectSoundBuffer::Stop() { return Record(IBuffer().Stop()) == DS_OK; }

bool TDirectSoundBuffer::Restore() { return Record(IBuffer().Restore()) == DS_OK; }

HRESULT TDirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                                 void** second, uint32_t* secondBytes, uint32_t flags) {
    return Record(IBuffer().Lock(offset, bytes, first, firstBytes, second, secondBytes, flags));
}

HRESULT TDirectSoundBuffer::Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) {
    return Record(IBuffer().Unlock(first, firstBytes, second, secondBytes));
}

uint32_t TDirectSoundBuffer::Status() {
    uint32_t status = 0;
    Record(IBuffer().GetStatus(&status));
    return status;
}

uint32_t TDirectSoundBuffer::Position() {
    uint32_t play = 0;
    Record(IBuffer().GetCurrentPosition(&play, nullptr));
    return play;
}

uint32_t TDirectSoundBuffer::WritePosition() {
    uint32_t write = 0;
    Record(IBuffer().GetCurrentPosition(nullptr, &write));
    return write;
}

void TDirectSoundBuffer::SetPosition(uint32_t position) { Record(IBuffer().SetCurrentPosition(position)); }

int32_t TDirectSoundBuffer::Pan() {
    int32_t pan = 0;
    Record(IBuffer().GetPan(&pan));
    return pan;
}

void TDirectSoundBuffer::SetPan(int32_t pan) { Record(IBuffer().SetPan(pan)); }

int32_t TDirectSoundBuffer::Volume() {
    int32_t volume = 0;
    Record(IBuffer().GetVolume(&volume));
    return volume;
}

void TDirectSoundBuffer::SetVolume(int32_t volume) { Record(IBuffer().SetVolume(volume)); }

uint32_t TDirectSoundBuffer::Frequency() {
    uint32_t frequency = 0;
    Record(IBuffer().GetFrequency(&frequency));
    return frequency;
}

void TDirectSoundBuffer::SetFrequency(uint32_t frequency) { Record(IBuffer().SetFrequency(frequency)); }

TWaveFormatEx TDirectSoundBuffer::Format() {
    TWaveFormatEx format;
    Record(IBuffer().GetFormat(&format));
    return format;
}

void TDirectSoundBuffer::SetFormat(const TWaveFormatEx& format) { Record(IBuffer().SetFormat(&format)); }

}  // namespace stepweave
