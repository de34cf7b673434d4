#pragma once
// A window's sound device: opened on the program's audio output, which its
// owner passes in, it makes the window's voices, keeps the output format the
// window asked for, and tells the kits and streams bound to it when it opens,
// closes, goes, or must restore their voices (after its output lost them).
//
// Main thread only.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "stepweave/sound/timing/timer_scheduler.h"
#include "stepweave/sound/voices/sound_result.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

class AudioOutput;
class SoundDevice;
class Voice;

enum class DeviceEvent { Going, Opening, Opened, Closing, Restoring };

using DeviceListener = std::function<void(SoundDevice& device, DeviceEvent event)>;
using DeviceCallback = std::function<void(SoundDevice& device)>;

class SoundDevice {
public:
    // Its kits and streams run their timers on `timers`.
    explicit SoundDevice(TimerScheduler& timers = MainTimers());
    // Closes, then tells the bound listeners that it goes.
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Opens on `output`, which must be an open output (closing first if
    // open; std::invalid_argument for none): the listeners and OnOpening
    // are told first, then the device opens, the listeners and OnOpened are
    // told, and the voices are restored.
    void Open(std::shared_ptr<AudioOutput> output);
    // Tells the listeners and OnClosing, then lets go of every voice made
    // on it (they become "not made") and of the output.
    void Close();
    // Tells the listeners to reload their voices, then OnRestored. Not re-entered.
    void Restore();
    bool IsOpen() const { return output_ != nullptr; }

    // The output while open, else nullptr.
    AudioOutput* Output() const { return output_.get(); }
    const std::shared_ptr<AudioOutput>& SharedOutput() const { return output_; }
    TimerScheduler& Timers() { return timers_; }

    // The format the window asks its output for (PCM, 8 or 16 bits, 1 or 2
    // channels). The mixer always runs at 44100 Hz stereo and converts.
    SoundResult SetOutputFormat(const WaveFormat& format);
    const WaveFormat& OutputFormat() const { return outputFormat_; }

    void AddListener(const void* key, DeviceListener listener);
    void RemoveListener(const void* key);

    DeviceCallback OnOpening;
    DeviceCallback OnOpened;
    DeviceCallback OnClosing;
    DeviceCallback OnRestored;

private:
    friend class Voice;
    void Register(Voice* voice) { voices_.push_back(voice); }
    void Unregister(Voice* voice);
    void ReportVoiceLost() { Restore(); }
    void Tell(DeviceEvent event);

    TimerScheduler& timers_;
    std::shared_ptr<AudioOutput> output_;
    WaveFormat outputFormat_ = PcmFormat(44100, 16, 2);
    bool toldOpened_ = false;
    bool restoring_ = false;
    std::vector<Voice*> voices_;
    std::vector<std::pair<const void*, DeviceListener>> listeners_;
};

// Ok for PCM the mixer can play at a rate from 100 to 100000 Hz; BadFormat
// for any other encoding, width or channel count; InvalidParameter for a
// block size that does not fit or a rate out of range.
SoundResult CheckMixableFormat(const WaveFormat& format);

}  // namespace stepweave
