#pragma once
// Cuts the frame stream into notes: onset (a rise above the recent minimum),
// re-attack and release (a fall below the peak); decides each note and queues
// its note-on and note-off.
#include <cstdint>

namespace voxnote {

enum class SegmenterPhase : uint8_t { kIdle = 0, kRise = 1, kHold = 2 };

// Levels below this count as silence; a silent frame sets the running minimum
// to it. A run starts with the running minimum there, as if silence preceded
// the input, so a note that sounds from the first sample has its onset.
inline constexpr uint32_t kQuietLevel = 300;

struct NoteSegmenter {
    SegmenterPhase phase = SegmenterPhase::kIdle;
    uint8_t earlyDecision = 0;
    uint8_t noteRejected = 0;
    uint8_t reserved = 0;
    uint32_t runningMinimum = 0;   // lowest level since the last note (or the quiet level)
    uint32_t peak = 0;
    uint32_t lowestBandLevel = 0;
    int32_t dipFrame = 0;          // frame positions index the frame stream
    int32_t startFrame = 0;
    int32_t lastEventFrame = 0;
    int32_t position = 0;          // next frame to read
};

struct DetectorState;

// Runs the segmenter over the frames before availableFrames (those whose level
// and pitch are final); a note sounding for 200 frames or more is decided now.
// Returns the ok flag.
uint8_t RunNoteSegmenter(DetectorState& state, int32_t availableFrames);

// Ends the sounding note at endFrame: decides it unless decided early, and
// queues its note-off unless it was rejected.
void EndNote(DetectorState& state, int32_t endFrame);

// Moves the frames still needed (the sounding note's, or from the current
// position on) to the start of the frame stream and rebases every position.
void CompactFrameStream(DetectorState& state);

}  // namespace voxnote
