// Feeds arbitrary bytes to the mixing wave's loader in memory, reads every
// sample it accepted, and mixes the wave twice into a stereo output. (The
// same through files, a work file and a saved mix is mixing_wave_files.)
#include <algorithm>
#include <cstdint>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mix_arithmetic.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "fuzz/stepweave/sound/mixdown/read_every_sample.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace {

using namespace stepweave;
using namespace stepweave::wavaudio;
using stepweave::fuzzing::ReadEverySample;

// Mixes that would write more output frames than this are left out: a
// hostile rate can stretch a few bytes into hours of audio.
constexpr int64_t kLargestMix = 4096;

void Mix(MixingWave& wave) {
    const MixSource source(wave);
    const double frequency = source.SampleRate();
    const auto plan = PlanHit(44100, source.Frames(), source.SampleRate(), frequency, 0.3, 0.9);
    if (!plan || plan->Length > kLargestMix) {
        return;
    }
    MixingWave output;
    output.MixIn(source, frequency, 0.001, 0.3, 0.9);
    output.MixIn(wave, frequency * 0.75, 0.0, -1.5, -0.125);
    ReadEverySample(output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        MemoryStream stream(data, static_cast<int64_t>(size));
        MixingWave wave;
        wave.LoadFromStream(stream);
        ReadEverySample(wave);
        Mix(wave);
    } catch (const StepweaveError&) {
        // The system's message for a damaged file: what the user would see.
    }
    return 0;
}
