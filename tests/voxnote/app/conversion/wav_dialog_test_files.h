#pragma once
// Sound files of the WAV dialog tests: runs of short sine notes that the
// analysis finds, at the analysis rate or at 44100 Hz stereo.
#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/voxnote/app/test_support.h"

namespace voxnote::test {

// `count` notes of 200 ms, each followed by 100 ms of silence, climbing
// through a C major arpeggio from `firstNote`.
inline std::vector<int16_t> ShortNotes(int count, int firstNote = 60, uint32_t rate = 11025) {
    const int steps[] = {0, 4, 7, 12, 7, 4};
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i) {
        const double frequency = 440.0 * std::pow(2.0, (firstNote + steps[i % 6] - 69) / 12.0);
        std::vector<int16_t> tone = SineSamples(frequency, 12000, 200 * rate / 1000, rate);
        samples.insert(samples.end(), tone.begin(), tone.end());
        samples.resize(samples.size() + 100 * rate / 1000, 0);
    }
    return samples;
}

inline std::vector<uint8_t> ShortNotesWav(int count, int firstNote = 60) {
    return WavImage(ShortNotes(count, firstNote));
}

// The same notes as 16-bit stereo at 44100 Hz.
inline std::vector<uint8_t> ShortNotesStereoWav(int count, int firstNote = 60) {
    std::vector<int16_t> stereo;
    for (int16_t sample : ShortNotes(count, firstNote, 44100)) {
        stereo.push_back(sample);
        stereo.push_back(sample);
    }
    return WavImage(stereo, 2, 44100);
}

// An 8-bit 48000 Hz file: a header the panel shows, a format the
// conversion refuses.
inline std::vector<uint8_t> EightBitWav48k(size_t frames) {
    WavShape shape;
    shape.sampleRate = 48000;
    shape.bitsPerSample = 8;
    return RiffWave({FmtChunk(shape), Chunk("data", std::vector<uint8_t>(frames, 128))});
}

}  // namespace voxnote::test
