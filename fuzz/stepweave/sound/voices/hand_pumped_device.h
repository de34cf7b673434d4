#pragma once
// The sound device of the playback fuzz targets: the mixer on a hand-pumped
// clock (no thread, no real time), a stream and a kit bound to it, made once
// and reused by every input.
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <memory>

#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/audio_stream.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/timing/headless_main_loop.h"
#include "tests/support/stepweave/manual_audio_backend.h"

namespace stepweave::fuzzing {

struct HandPumpedDevice {
    HandPumpedDevice() {
        sound.Open(AudioOutput::Open(std::make_unique<ManualAudioBackend>(clock)));
        kit.SetDevice(&sound);
    }

    // Every output sample so far lies within -limit..limit; then forgets them.
    void CheckOutput(float limit) {
        const float* samples = clock.Output().data();
        for (size_t i = 0, count = clock.Output().size(); i < count; ++i) {
            if (!(std::fabs(samples[i]) <= limit)) {
                std::abort();
            }
        }
        clock.ClearOutput();
    }

    ManualAudioClock clock;
    TimerScheduler timers{clock};
    HeadlessMainLoop loop{timers};
    SoundDevice sound{timers};
    AudioStream stream{sound};
    KitPlayer kit;
};

}  // namespace stepweave::fuzzing
