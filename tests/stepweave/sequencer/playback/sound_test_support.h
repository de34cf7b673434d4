#pragma once
// Helpers of the sequencer tests that listen: small WAV files and the
// hand-pumped sound device of the sound tests.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/wav/wave_data.h"

namespace stepweave::testing {

// A 16-bit mono PCM file of the samples at the given rate.
inline void SaveMonoWave(const std::filesystem::path& path, uint32_t rate, const std::vector<int16_t>& samples) {
    uint8_t record[16];
    StoreLittleEndian16(record, 1);
    StoreLittleEndian16(record + 2, 1);
    StoreLittleEndian32(record + 4, rate);
    StoreLittleEndian32(record + 8, rate * 2);
    StoreLittleEndian16(record + 12, 2);
    StoreLittleEndian16(record + 14, 16);
    WaveData wave;
    wave.SetFormat(record, 16);
    wave.SetSize(static_cast<int32_t>(samples.size() * 2));
    for (size_t i = 0; i < samples.size(); ++i) {
        StoreLittleEndian16(wave.Data() + 2 * i, static_cast<uint16_t>(samples[i]));
    }
    wave.SaveToFile(path.string());
}

// A sound that never repeats a value within its length, so where it starts
// over shows in the output.
inline std::vector<int16_t> RampSamples(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(1000 + (i * 3) % 20000);
    }
    return samples;
}

}  // namespace stepweave::testing
