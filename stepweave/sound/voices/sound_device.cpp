#include "stepweave/sound/voices/sound_device.h"

#include <algorithm>
#include <stdexcept>

#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/voice.h"
#include "stepweave/sound/wav/pcm_layout.h"

namespace stepweave {

namespace {

constexpr uint32_t kLowestRate = 100;
constexpr uint32_t kHighestRate = 100000;

}  // namespace

SoundResult CheckMixableFormat(const WaveFormat& format) {
    const PcmLayout layout{format.channels, format.bitsPerSample};
    if (format.formatTag != kWaveFormatPcm || !layout.IsMixable()) {
        return SoundResult::BadFormat;
    }
    if (format.blockAlign != layout.BlockAlign() || format.samplesPerSec < kLowestRate ||
        format.samplesPerSec > kHighestRate) {
        return SoundResult::InvalidParameter;
    }
    return SoundResult::Ok;
}

SoundDevice::SoundDevice(TimerScheduler& timers) : timers_(timers) {}

SoundDevice::~SoundDevice() {
    Close();
    Tell(DeviceEvent::Going);
}

void SoundDevice::Open(std::shared_ptr<AudioOutput> output) {
    if (!output) {
        throw std::invalid_argument("a sound device opens on an audio output");
    }
    Close();
    Tell(DeviceEvent::Opening);
    if (OnOpening) {
        OnOpening(*this);
    }
    output_ = std::move(output);
    Tell(DeviceEvent::Opened);
    toldOpened_ = true;
    if (OnOpened) {
        OnOpened(*this);
    }
    Restore();
}

void SoundDevice::Close() {
    if (IsOpen()) {
        Tell(DeviceEvent::Closing);
        if (toldOpened_ && OnClosing) {
            OnClosing(*this);
        }
    }
    toldOpened_ = false;
    // Voices still alive lose their mixer voices and become "not made".
    const std::vector<Voice*> voices = std::move(voices_);
    voices_.clear();
    for (Voice* voice : voices) {
        voice->Detach();
    }
    output_.reset();
}

void SoundDevice::Restore() {
    if (!IsOpen() || restoring_) {
        return;
    }
    restoring_ = true;
    try {
        Tell(DeviceEvent::Restoring);
        if (OnRestored) {
            OnRestored(*this);
        }
    } catch (...) {
        restoring_ = false;
        throw;
    }
    restoring_ = false;
}

SoundResult SoundDevice::SetOutputFormat(const WaveFormat& format) {
    const SoundResult check = CheckMixableFormat(format);
    if (check == SoundResult::Ok) {
        outputFormat_ = format;
    }
    return check;
}

void SoundDevice::Unregister(Voice* voice) {
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void SoundDevice::AddListener(const void* key, DeviceListener listener) {
    RemoveListener(key);
    listeners_.emplace_back(key, std::move(listener));
}

void SoundDevice::RemoveListener(const void* key) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [&](const auto& entry) { return entry.first == key; }),
                     listeners_.end());
}

void SoundDevice::Tell(DeviceEvent event) {
    // A listener may remove itself (or others): tell those still listening.
    const auto entries = listeners_;
    for (const auto& [key, listener] : entries) {
        const bool stillListening = std::any_of(listeners_.begin(), listeners_.end(),
                                                [&, k = key](const auto& entry) { return entry.first == k; });
        if (stillListening) {
            listener(*this, event);
        }
    }
}

}  // namespace stepweave
