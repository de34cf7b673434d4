// Loads arbitrary bytes as the wave of a kit voice on a hand-pumped device,
// pans it and plays it twice over itself. Whatever the header claims,
// nothing may crash and no output sample may exceed twice full scale.
//
// Every millisecond played is mixed sample by sample, slow under the
// sanitizers, so the voices sound for two device blocks only.
#include <cstddef>
#include <cstdint>

#include "fuzz/stepweave/sound/voices/hand_pumped_device.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"

namespace {

using namespace stepweave;

constexpr uint32_t kVoiceMilliseconds = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::HandPumpedDevice device;
    MemoryStream bytes(data, static_cast<int64_t>(size));
    WaveCollectionItem& item = device.kit.Items().Add();
    try {
        item.Wave().LoadFromStream(bytes);
        item.SetPan(size > 1 ? (data[1] - 128) * 78 : 0);
        device.kit.Play(item);
        device.kit.Play(item);
        device.loop.RunFor(kVoiceMilliseconds);
    } catch (const StepweaveError&) {
        // Refused with the system's message: fine.
    }
    device.CheckOutput(2.0f);
    // Unbinding the kit frees the copies still sounding, which would
    // otherwise play on into the next input. A run frees all it allocated,
    // so that the fuzzer's leak check has nothing to look for.
    device.kit.SetDevice(nullptr);
    device.kit.Items().Clear();
    device.kit.SetDevice(&device.sound);
    return 0;
}
