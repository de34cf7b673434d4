#pragma once
// The sound side of playback in the program: kit instruments are the loaded
// kit's items, found by their instrument labels; user samples are the wave
// player's streams.
#include <optional>

#include "stepweave/sequencer/playback/step_sounds.h"

namespace stepweave {

class KitPlayer;
class UserSamples;

class KitAndSampleSounds : public StepSounds {
public:
    KitAndSampleSounds(KitPlayer& drumKit, UserSamples& samples) : drumKit_(drumKit), samples_(samples) {}

    // The item keeps the volume afterwards: a preview plays at the last level used.
    void PlayKitInstrument(int instrument, int volume) override;
    void RestartUserSample(int sample) override;
    void StopUserSample(int sample) override;
    // Kit and samples share the program's one output: its mixer stamps the
    // step's sounds with the step's time.
    void BeginStep(uint32_t time) override;
    void EndStep() override;

private:
    void SetStampTime(std::optional<uint32_t> time);

    KitPlayer& drumKit_;
    UserSamples& samples_;
};

}  // namespace stepweave
