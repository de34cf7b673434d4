#pragma once
// What a render needs to know of each of the 32 user samples, as plain data:
// the window fills it from the wave player's streams, the headless command
// from the song file.
#include <array>
#include <string>

#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

struct RenderSampleSetting {
    // A full path, a name in the start folder, or the blank file.
    std::string fileName{kBlankWaveFileName};
    int frequency = kBlankSampleFrequency;  // playback frequency in Hz
    int pan = 0;                            // hundredths of a decibel, -4000..4000
    int volume = 0;                         // hundredths of a decibel, 0 = full
};

// Samples 1..32 at indices 0..31.
using RenderSampleSettings = std::array<RenderSampleSetting, kUserSampleCount>;

// The file names, frequencies and pans a sample table holds, each at full
// volume (the volume is not part of the song or pattern files).
RenderSampleSettings RenderSampleSettingsFrom(const UserSampleSlots& samples);

}  // namespace stepweave
