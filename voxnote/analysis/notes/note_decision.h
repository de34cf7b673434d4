#pragma once
// The decision for one cut note: skip its attack, take the pitch from a
// weighted histogram of its frames (or the constant rhythm note), apply tuning,
// scale lock, range and transposition, compute the velocity and queue the
// note-on. A rejected note queues nothing.
#include <cstdint>
#include <optional>

namespace voxnote {

struct DetectorState;

// Decides the note from the segmenter's start frame up to (not including) endFrame.
void DecideNote(DetectorState& state, int32_t endFrame);

// Exposed for tests: the pieces of the pitch path.
struct NotePitch {
    int32_t note;
    int32_t fine;
};
// Weighted median bin of the best 10-bin window of the histogram.
int32_t HistogramMedianBin(const uint32_t* histogram);
// Steps (0..789) to a MIDI note and its tenth-of-a-semitone digit.
NotePitch StepToNote(int32_t medianBin, int32_t tuning);
// Moves a note off the major scale on `scale` to its nearer neighbour.
int32_t LockToScale(int32_t note, int32_t fine, int32_t scale);
// The note range and the transposition, as both detectors apply them: a note
// outside minimumNote..maximumNote is dropped, else it is transposed, and
// dropped when that takes it outside 0..127.
std::optional<int32_t> RangedTransposedNote(int32_t note, uint8_t minimumNote, uint8_t maximumNote,
                                            int32_t transposition);
// Velocity from the note's peak level: 0 means the note is too quiet.
struct Velocity {
    uint8_t value;
    bool clipped;
};
Velocity VelocityFromPeak(uint32_t peak, uint32_t velocityBase);

}  // namespace voxnote
