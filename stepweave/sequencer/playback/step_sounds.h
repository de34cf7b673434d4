#pragma once
// What playback asks of the sound side for one step: start a kit instrument
// as a new voice, restart or stop a user sample. The program binds it to the
// loaded kit and the wave player's samples; tests record the calls.
#include <cstdint>

namespace stepweave {

class StepSounds {
public:
    virtual ~StepSounds() = default;

    // Kit instrument 1..16: its kit item takes the volume (hundredths of a
    // decibel) and plays once more as a new voice over any still sounding,
    // with the item's own pan. A kit that lacks the instrument's label fails
    // with WaveCollectionError "Wave '%s' not found".
    virtual void PlayKitInstrument(int instrument, int volume) = 0;
    // User sample 1..32: back to its beginning and playing, cutting itself
    // off if it still sounds.
    virtual void RestartUserSample(int sample) = 0;
    virtual void StopUserSample(int sample) = 0;

    // The sounds started until EndStep belong to a step due at `time` on the
    // millisecond clock: they sound at that time plus the output's latency,
    // even when the main thread started them a little after it.
    virtual void BeginStep(uint32_t time) = 0;
    virtual void EndStep() = 0;
};

// One step's sounds, from construction to the end of the scope.
class StepScope {
public:
    StepScope(StepSounds& sounds, uint32_t time) : sounds_(sounds) { sounds_.BeginStep(time); }
    ~StepScope() { sounds_.EndStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    StepSounds& sounds_;
};

}  // namespace stepweave
