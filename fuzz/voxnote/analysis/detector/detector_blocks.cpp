// Feeds a short stretch of arbitrary samples, in blocks of arbitrary byte
// counts (empty, odd, one byte), through the whole analysis: whatever comes
// in, the detector stays within its record and its events stay well formed.
//
// Every sample goes through all the band filters, which is slow under the
// sanitizers, and every block costs all the filters' set-up: a run analyses
// at most kLargestSamples samples in kLargestBlocks blocks. So that those
// few samples still complete frames, end notes and start new ones, a run does
// not start from a fresh record but from one of a few records analysed once,
// when the target starts: silence, a sung note, a note that has just ended,
// each stopped a few samples before a frame ends. What becomes of arbitrary
// frames and channel-table rows is explored by note_segmenter and row_pitch.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz/voxnote/analysis/fuzz_input.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/analysis/filterbank/frame_measurement.h"

namespace {

using namespace voxnote;
using fuzzing::FuzzInput;

constexpr size_t kLargestSamples = 34;
constexpr int kLargestBlocks = 3;
constexpr double kSampleRate = 11025.0;

void Drain(DetectorState& state) {
    NoteEvent event;
    while (DrainEvents(state, event)) {
        if (event.Status() != kNoteOnStatus || event.Note() > 127 || event.Velocity() > 127 ||
            (event.message >> 24) != 0) {
            std::abort();
        }
    }
}

// Analyses `samples` samples of a sine (amplitude 0: silence), a frame at a time.
void AnalyseTone(DetectorState& state, double frequency, double amplitude, int samples, int& clock) {
    for (int done = 0; done < samples;) {
        const int block = std::min(kFrameSamples, samples - done);
        int16_t* input = InputArea(state);
        for (int i = 0; i < block; ++i, ++clock) {
            input[i] = static_cast<int16_t>(amplitude * std::sin(2.0 * M_PI * frequency * clock / kSampleRate));
        }
        AnalyseBlock(state, static_cast<uint32_t>(2 * block));
        Drain(state);
        done += block;
    }
}

// A run stopped a few samples before a frame ends, after `frames` frames of
// the tone and `silentFrames` of silence.
std::unique_ptr<DetectorState> AnalysedRecord(double frequency, int frames, int silentFrames) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    int clock = 0;
    AnalyseTone(*state, frequency, 12000.0, frames * kFrameSamples, clock);
    AnalyseTone(*state, frequency, 0.0, silentFrames * kFrameSamples - 5, clock);
    return state;
}

const std::array<std::unique_ptr<DetectorState>, 4>& StartingRecords() {
    static const std::array<std::unique_ptr<DetectorState>, 4> records{
        AnalysedRecord(220.0, 0, 1),    // silence
        AnalysedRecord(220.0, 24, 0),   // a low note sounding
        AnalysedRecord(880.0, 24, 0),   // a high note sounding
        AnalysedRecord(440.0, 16, 12),  // a note that has ended
    };
    return records;
}

// The filters work through a block 32 samples at a time, and through the
// rest one by one, many times slower: a block is none or one run of 32 and
// none or one more sample, so that both ways are explored within the budget.
size_t SamplesOfBlock(uint8_t header) { return 32u * ((header >> 2) & 1u) + ((header >> 1) & 1u); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto state = std::make_unique<DetectorState>();
    const auto& records = StartingRecords();
    FuzzInput in{data, size};
    std::memcpy(state.get(), records[in.Byte() % records.size()].get(), sizeof(DetectorState));
    // Settings may change during a run.
    RefreshDetectorSettings(*state, fuzzing::SettingsFrom(in));
    size_t samplesLeft = kLargestSamples;
    for (int block = 0; block < kLargestBlocks && in.size > 0 && samplesLeft > 0; ++block) {
        // A block: a byte with its sample count and whether an odd byte
        // follows them (left from the block before), then its samples.
        const uint8_t header = in.Byte();
        const size_t samples = std::min({samplesLeft, SamplesOfBlock(header), in.size / 2});
        std::memcpy(InputArea(*state), in.data, 2 * samples);
        in.data += 2 * samples;
        in.size -= 2 * samples;
        samplesLeft -= samples;
        AnalyseBlock(*state, static_cast<uint32_t>(2 * samples + (header & 1u)));
        Drain(*state);
    }
    return 0;
}
