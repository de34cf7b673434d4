#pragma once
// A sound device object: the device interface (or none), the result of the
// last call made through it, and the list of buffer objects made on it.
// Control calls record their result and never raise; using the object
// without an interface raises EDirectSoundError "%s not made" ("IDirectSound").
//
// Main thread only.
#include <functional>
#include <memory>
#include <vector>

#include "stepweave/sound/device/direct_sound_device.h"

namespace stepweave {

class TDirectSoundBuffer;

class TDirectSound {
public:
    // Opens the default device; EDirectSoundError "%s cannot be initialized"
    // ("DirectSound") when it cannot be opened, followed on a second line by
    // the cause (what the sound system said, or the value of STEPWEAVE_AUDIO
    // that names no device) and the way out.
    TDirectSound();
    // Buffer objects still alive lose their interfaces (and become "not made").
    ~TDirectSound();
    TDirectSound(const TDirectSound&) = delete;
    TDirectSound& operator=(const TDirectSound&) = delete;

    IDirectSound& IDSound();
    HRESULT DXResult() const { return result_; }
    void SetCooperativeLevel(WindowHandle window, uint32_t level);

    int BufferCount() const { return static_cast<int>(buffers_.size()); }
    TDirectSoundBuffer& Buffers(int index) const { return *buffers_.at(static_cast<size_t>(index)); }

    // Called when a buffer call reports DSERR_BUFFERLOST (the owner reloads its buffers).
    std::function<void()> OnBufferLost;

private:
    friend class TDirectSoundBuffer;
    void Register(TDirectSoundBuffer* buffer) { buffers_.push_back(buffer); }
    void Unregister(TDirectSoundBuffer* buffer);
    void ReportBufferLost();

    std::unique_ptr<IDirectSound> device_;
    HRESULT result_ = DS_OK;
    std::vector<TDirectSoundBuffer*> buffers_;
    bool reportingLoss_ = false;
};

}  // namespace stepweave
