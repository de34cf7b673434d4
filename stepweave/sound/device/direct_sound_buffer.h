#pragma once
// A sound buffer object: one buffer interface (or none) on a TDirectSound,
// and the result of the last call made through it. Control calls (play,
// stop, pan, volume, frequency, position) record their result and never
// raise; a DSERR_BUFFERLOST result tells the device, whose owner then
// reloads its buffers. Using the object without an interface raises
// EDirectSoundBufferError "%s not made" ("IDirectSoundBuffer").
//
// Main thread only.
#include <cstdint>
#include <memory>

#include "stepweave/sound/device/direct_sound_buffer_interface.h"

namespace stepweave {

class TDirectSound;

class TDirectSoundBuffer {
public:
    explicit TDirectSoundBuffer(TDirectSound& sound);
    ~TDirectSoundBuffer();
    TDirectSoundBuffer(const TDirectSoundBuffer&) = delete;
    TDirectSoundBuffer& operator=(const TDirectSoundBuffer&) = delete;

    IDirectSoundBuffer& IBuffer();
    bool HasInterface() const { return buffer_ != nullptr; }
    HRESULT DXResult() const { return result_; }

    // Makes the buffer the description asks for; false when the device refuses.
    bool CreateBuffer(const TDSBufferDesc& description);
    // Makes this buffer a duplicate of source: the same bytes, its own
    // playback. False when the device refuses.
    bool Duplicate(TDirectSoundBuffer& source);
    // A buffer of exactly `size` bytes in `format`, filled with `data`.
    // EDirectSoundBufferError "%s cannot be made" ("Sound Buffer") when it
    // cannot be made, "%s cannot be locked" when it cannot be written (the
    // buffer is then released).
    void LoadFromMemory(const TWaveFormatEx& format, const uint8_t* data, uint32_t size, uint32_t flags);
    // Drops the interface.
    void Release();

    bool Play(bool loop = false);
    bool Stop();
    bool Restore();
    HRESULT Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
                 uint32_t* secondBytes, uint32_t flags);
    HRESULT Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes);

    uint32_t Status();
    bool Playing() { return (Status() & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING)) != 0; }
    bool IsLost() { return (Status() & DSBSTATUS_BUFFERLOST) != 0; }
    uint32_t Position();
    void SetPosition(uint32_t position);
    // The write cursor: where writing ahead of the play cursor may begin.
    uint32_t WritePosition();
    int32_t Pan();
    void SetPan(int32_t pan);
    int32_t Volume();
    void SetVolume(int32_t volume);
    uint32_t Frequency();
    void SetFrequency(uint32_t frequency);
    TWaveFormatEx Format();
    void SetFormat(const TWaveFormatEx& format);
    uint32_t Size() { return IBuffer().BufferBytes(); }

private:
    friend class TDirectSound;
    void Detach();
    HRESULT Record(HRESULT result);

    TDirectSound* sound_;
    std::unique_ptr<IDirectSoundBuffer> buffer_;
    HRESULT result_ = DS_OK;
};

}  // namespace stepweave
