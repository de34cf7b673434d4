// Plays arbitrary bytes as a WAV file on a hand-pumped device, both through
// a stream (seeking, refilling the ring) and as a kit voice played twice.
// Whatever the header claims, nothing may crash and no output sample may
// exceed full scale times the number of sounds playing.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/device/audio_stream.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/kit/dx_wave_list.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"
#include "tests/support/stepweave/manual_audio_backend.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace {

using namespace stepweave;

struct Device {
    Device() {
        AudioOutput::SetBackendFactory([this] { return std::make_unique<ManualAudioBackend>(clock); });
        sound.Initialize();
        kit.SetDXSound(&sound);
    }

    ManualAudioClock clock;
    TimerScheduler timers{clock};
    HeadlessMainLoop loop{timers};
    TFormOwner form;
    TDXSound sound{&form, timers};
    TAudioStream stream{sound};
    TDXWaveList kit;
};

void CheckOutput(ManualAudioClock& clock, float limit) {
    for (float sample : clock.Output()) {
        if (!(std::fabs(sample) <= limit)) {
            std::abort();
        }
    }
    clock.ClearOutput();
}

void PlayAsStream(Device& device, const uint8_t* data, size_t size) {
    TMemoryStream bytes(data, static_cast<int64_t>(size));
    TWaveStream wave(bytes);
    try {
        wave.Open(false);
        device.stream.SetWaveStream(&wave);
        device.stream.SetPosition(size > 0 ? data[0] * 3 : 0);
        device.stream.Play();
        device.loop.RunFor(1200);
    } catch (const EStepweaveError&) {
        // Refused with the system's message: fine.
    }
    device.stream.SetWaveStream(nullptr);
    CheckOutput(device.clock, 1.0f);
}

void PlayAsVoice(Device& device, const uint8_t* data, size_t size) {
    TMemoryStream bytes(data, static_cast<int64_t>(size));
    device.kit.Items().Clear();
    TWaveCollectionItem& item = device.kit.Items().Add();
    try {
        item.Wave().LoadFromStream(bytes);
        item.SetPan(size > 1 ? (data[1] - 128) * 78 : 0);
        item.Play();
        item.Play();
        device.loop.RunFor(600);
    } catch (const EStepweaveError&) {
    }
    CheckOutput(device.clock, 2.0f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Device device;
    PlayAsStream(device, data, size);
    PlayAsVoice(device, data, size);
    return 0;
}
