#pragma once
// One sound buffer of the device interface: the primary buffer (the device's
// output format) or a secondary buffer, a block of sample bytes that the
// mixer plays once or looping, with its own frequency, pan and volume.
// Duplicates share the bytes. Every call returns a result code and never raises.
//
// Writing while it plays: Lock hands out the buffer's own bytes. The mixer
// reads at and just after the play cursor, so a ring that is being refilled
// is written only between its write position and the play cursor; the
// cursors travel through atomics. When a buffer is stopped while the audio
// thread may still be reading it, Lock gives it a fresh copy of its bytes
// to write instead, and the mixer switches over before it plays again.
//
// Main thread only.
#include <cstdint>
#include <memory>

#include "stepweave/sound/device/direct_sound_types.h"
#include "stepweave/sound/mixer/sound_memory.h"

namespace stepweave {

struct DirectSoundDeviceState;
class MixerVoice;

class IDirectSoundBuffer {
public:
    ~IDirectSoundBuffer();
    IDirectSoundBuffer(const IDirectSoundBuffer&) = delete;
    IDirectSoundBuffer& operator=(const IDirectSoundBuffer&) = delete;

    bool IsPrimary() const { return voice_ == nullptr; }
    uint32_t Flags() const { return flags_; }
    uint32_t BufferBytes() const { return memory_ ? memory_->Size() : 0; }
    // The bytes this buffer plays, shared with its duplicates.
    const SharedSoundMemory& Memory() const { return memory_; }

    HRESULT GetFormat(TWaveFormatEx* format) const;
    // Primary buffer only: the output format asked for (PCM, 8 or 16 bits,
    // 1 or 2 channels). The mixer always runs at 44100 Hz stereo and converts.
    HRESULT SetFormat(const TWaveFormatEx* format);

    // One region, or two when it wraps past the end of the buffer.
    HRESULT Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
                 uint32_t* secondBytes, uint32_t flags);
    HRESULT Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes);

    // flags DSBPLAY_LOOPING or 0 (once, from the cursor to the end).
    HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    HRESULT Stop();
    HRESULT SetCurrentPosition(uint32_t position);
    // The play cursor, and the write cursor: the first byte after the play
    // cursor that the mixer will not read before the next update of the cursors.
    HRESULT GetCurrentPosition(uint32_t* play, uint32_t* write);
    // DSBSTATUS_PLAYING, DSBSTATUS_LOOPING, DSBSTATUS_BUFFERLOST.
    HRESULT GetStatus(uint32_t* status);

    HRESULT SetVolume(int32_t volume);
    HRESULT GetVolume(int32_t* volume) const;
    HRESULT SetPan(int32_t pan);
    HRESULT GetPan(int32_t* pan) const;
    // DSBFREQUENCY_ORIGINAL goes back to the format's rate.
    HRESULT SetFrequency(uint32_t frequency);
    HRESULT GetFrequency(uint32_t* frequency) const;

    // Makes a lost buffer usable again; its bytes must then be written anew.
    HRESULT Restore();

private:
    friend class IDirectSound;
    IDirectSoundBuffer(std::shared_ptr<DirectSoundDeviceState> device, uint32_t flags);

    bool NoticeLoss();
    HRESULT SendGains();
    uint32_t BlockAlign() const { return format_.nBlockAlign; }

    std::shared_ptr<DirectSoundDeviceState> device_;
    uint32_t flags_;
    TWaveFormatEx format_;
    SharedSoundMemory memory_;
    MixerVoice* voice_ = nullptr;
    uint32_t lossesSeen_ = 0;
    int32_t volume_ = 0;
    int32_t pan_ = 0;
    uint32_t frequency_ = 0;
    bool locked_ = false;
    void* lockedFirst_ = nullptr;
    void* lockedSecond_ = nullptr;
};

}  // namespace stepweave
