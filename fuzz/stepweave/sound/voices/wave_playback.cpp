// Plays arbitrary bytes as a WAV file through a stream on a hand-pumped
// device: seeking, refilling the ring, reaching the end of the data.
// Whatever the header claims, nothing may crash and no output sample may
// exceed full scale. (Playing the bytes as a kit voice is kit_voice_playback.)
//
// Every millisecond played is mixed sample by sample, slow under the
// sanitizers, so the stream plays only briefly: from a little before the end
// of its data, long enough for two refills of its ring, to reach the end.
#include <cstddef>
#include <cstdint>

#include "fuzz/stepweave/sound/voices/hand_pumped_device.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace {

using namespace stepweave;

constexpr uint32_t kStreamMilliseconds = 2 * AudioStream::kUpdateMilliseconds + 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::HandPumpedDevice device;
    MemoryStream bytes(data, static_cast<int64_t>(size));
    WaveStream wave(bytes);
    try {
        wave.Open(false);
        device.stream.SetWaveStream(&wave);
        device.stream.SetPosition(wave.DataSize() - (size > 0 ? data[0] * 64 : 0));
        device.stream.Play();
        device.loop.RunFor(kStreamMilliseconds);
    } catch (const StepweaveError&) {
        // Refused with the system's message: fine.
    }
    device.stream.SetWaveStream(nullptr);
    device.CheckOutput(1.0f);
    return 0;
}
