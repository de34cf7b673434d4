#pragma once
// The sound device interface: makes sound buffers on the program's audio
// output and duplicates them, and keeps the cooperative level and the
// primary buffer's format. Buffers come from CreateSoundBuffer and
// DuplicateSoundBuffer; every call returns a result code and never raises.
//
// Main thread only.
#include <memory>
#include <string>

#include "stepweave/sound/device/direct_sound_types.h"

namespace stepweave {

// DS_OK for PCM the mixer can play at a rate the frequency control accepts,
// else the error a device reports for it.
HRESULT CheckMixableFormat(const TWaveFormatEx* format);

class AudioOutput;
class IDirectSoundBuffer;

// What a device and all its buffers share.
struct DirectSoundDeviceState {
    std::shared_ptr<AudioOutput> output;
    WindowHandle window = 0;
    uint32_t cooperativeLevel = 0;
    TWaveFormatEx primaryFormat = MakePcmFormat(44100, 16, 2);
};

class IDirectSound {
public:
    explicit IDirectSound(std::shared_ptr<AudioOutput> output);
    ~IDirectSound();
    IDirectSound(const IDirectSound&) = delete;
    IDirectSound& operator=(const IDirectSound&) = delete;

    // The primary buffer (flags DSBCAPS_PRIMARYBUFFER, no size, no format) or
    // a secondary buffer of the given size and PCM format, silent, stopped.
    HRESULT CreateSoundBuffer(const TDSBufferDesc* description, std::unique_ptr<IDirectSoundBuffer>* buffer);
    // A new buffer that plays the same bytes (none are copied), with the
    // original's format, flags, frequency, pan and volume, stopped at 0.
    HRESULT DuplicateSoundBuffer(const IDirectSoundBuffer* original, std::unique_ptr<IDirectSoundBuffer>* duplicate);
    HRESULT SetCooperativeLevel(WindowHandle window, uint32_t level);

    uint32_t CooperativeLevel() const { return state_->cooperativeLevel; }
    AudioOutput& Output() { return *state_->output; }

private:
    std::shared_ptr<DirectSoundDeviceState> state_;
};

// Opens the program's audio output (the backend STEPWEAVE_AUDIO chooses) as
// a device. DSERR_NODRIVER when there is no device to open.
HRESULT DirectSoundCreate(std::unique_ptr<IDirectSound>* device, std::string* failure = nullptr);

}  // namespace stepweave
