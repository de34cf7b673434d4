#include "stepweave/sound/device/direct_sound.h"

#include <algorithm>

#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

TDirectSound::TDirectSound() {
    std::string cause;
    result_ = DirectSoundCreate(&device_, &cause);
    if (result_ != DS_OK) {
        // The system's message first; the real cause and the way out, when
        // known, on the line below it.
        std::string message = FormatMessage("%s cannot be initialized", "DirectSound");
        if (!cause.empty()) {
            message += "\n" + cause;
        }
        throw EDirectSoundError(message);
    }
}

TDirectSound::~TDirectSound() {
    for (TDirectSoundBuffer* buffer : buffers_) {
        buffer->Detach();
    }
}

IDirectSound& TDirectSound::IDSound() {
    if (!device_) {
        throw EDirectSoundError(FormatMessage("%s not made", "IDirectSound"));
    }
    return *device_;
}

void TDirectSound::SetCooperativeLevel(WindowHandle window, uint32_t level) {
    result_ = IDSound().SetCooperativeLevel(window, level);
}

void TDirectSound::Unregister(TDirectSoundBuffer* buffer) {
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

void TDirectSound::ReportBufferLost() {
    if (reportingLoss_ || !OnBufferLost) {
        return;
    }
    reportingLoss_ = true;
    try {
        OnBufferLost();
    } catch (...) {
        reportingLoss_ = false;
        throw;
    }
    reportingLoss_ = false;
}

}  // namespace stepweave
